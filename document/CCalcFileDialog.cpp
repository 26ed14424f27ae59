#include "document/CCalcFileDialog.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

#include "shell/core/MessageBox.h"
#include "shell/core/StringIds.h"

const QString CCalcFileDialog::kCalculationFilter = QStringLiteral(
    "Calculation files (*.tvc)|*.tvc|Memory files (*.tvm)|*.tvm|All files (*.*)|*.*||");
const QString CCalcFileDialog::kMemoryLoadFilter =
    QStringLiteral("Memory files (*.tvm)|*.tvm|All files (*.*)|*.*||");
const QString CCalcFileDialog::kMemorySaveFilter = QStringLiteral("Memory files (*.tvm)|*.tvm||");

namespace {

// The filters' descriptions for lupdate; NameFilters translates them as it shows them.
[[maybe_unused]] constexpr const char* kFilterDescriptions[] = {
    QT_TRANSLATE_NOOP("CCalcFileDialog", "Calculation files (*.tvc)"),
    QT_TRANSLATE_NOOP("CCalcFileDialog", "Memory files (*.tvm)"),
    QT_TRANSLATE_NOOP("CCalcFileDialog", "All files (*.*)"),
};

CCalcFileDialog::Chooser& ChooserSlot() {
    static CCalcFileDialog::Chooser chooser;
    return chooser;
}

// The platform dialog with the two checks run before it may close.
class CheckingFileDialog : public QFileDialog {
public:
    CheckingFileDialog(const CCalcFileDialog& owner, QWidget* parent)
        : QFileDialog(parent), m_owner(owner) {}

    void accept() override {
        const QStringList files = selectedFiles();
        if (files.isEmpty()) return;
        const QFileInfo info(files.first());
        // A folder is entered, as the platform dialog does.
        if (!info.isDir() && !m_owner.ConfirmPath(m_owner.ResolvePath(files.first())))
            return;
        QFileDialog::accept();
    }

private:
    const CCalcFileDialog& m_owner;
};

}  // namespace

CCalcFileDialog::CCalcFileDialog(bool openFileDialog, const QString& defaultExtension,
                                 const QString& fileName, unsigned flags, const QString& filter,
                                 QWidget* parent)
    : m_open(openFileDialog),
      m_defaultExtension(defaultExtension),
      m_proposedName(fileName),
      m_flags(flags),
      m_filter(filter),
      m_parent(parent) {}

QString CCalcFileDialog::GetFileName() const { return QFileInfo(m_path).fileName(); }

QString CCalcFileDialog::WithDefaultExtension(const QString& path) const {
    if (path.isEmpty() || m_defaultExtension.isEmpty()) return path;
    if (QFileInfo(path).fileName().contains(QLatin1Char('.'))) return path;
    return path + QLatin1Char('.') + m_defaultExtension;
}

QString CCalcFileDialog::ResolvePath(const QString& path) const {
    // An existing file without an extension is opened as it is named.
    if (m_open && QFileInfo(path).isFile()) return path;
    return WithDefaultExtension(path);
}

bool CCalcFileDialog::ConfirmPath(const QString& path) const {
    const QFileInfo info(path);
    const bool exists = info.exists();
    if (m_open && !exists) {
        QString text = LoadString(StringId::FileNotFound);
        text.replace(QLatin1String("%s"), info.fileName());
        AppMessageBox(text, MB_OK, 0);
        return false;
    }
    if (!m_open && exists) {
        QString text = LoadString(StringId::FileExists);
        text.replace(QLatin1String("%s"), info.fileName());
        return AppMessageBox(text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, 0) == IDYES;
    }
    return true;
}

QStringList CCalcFileDialog::NameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
        QString description =
            QCoreApplication::translate("CCalcFileDialog", parts[i].toUtf8().constData());
        description.remove(trailingPatterns);
        result << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
    }
    return result;
}

int CCalcFileDialog::DoModal() {
    m_path.clear();
    if (ChooserSlot()) {
        while (true) {
            const QString typed = ChooserSlot()(*this);
            if (typed.isEmpty()) return IDCANCEL;
            const QString path = QFileInfo(ResolvePath(typed)).absoluteFilePath();
            if (ConfirmPath(path)) {
                m_path = path;
                return IDOK;
            }
        }
    }

    CheckingFileDialog dialog(*this, m_parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setWindowIcon(QApplication::windowIcon());
    dialog.setAcceptMode(m_open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(NameFilters(m_filter));
    // Opening tries the name as typed first; only saving adds the extension always.
    if (!m_open) dialog.setDefaultSuffix(m_defaultExtension);
    if (!m_title.isEmpty()) dialog.setWindowTitle(m_title);
    if (!m_proposedName.isEmpty()) dialog.selectFile(m_proposedName);
    dialog.setSizeGripEnabled((m_flags & OFN_ENABLESIZING) != 0);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return IDCANCEL;
    m_path = QFileInfo(ResolvePath(dialog.selectedFiles().first())).absoluteFilePath();
    return IDOK;
}

CCalcFileDialog::Chooser CCalcFileDialog::SetChooser(Chooser chooser) {
    Chooser previous = std::move(ChooserSlot());
    ChooserSlot() = std::move(chooser);
    return previous;
}
