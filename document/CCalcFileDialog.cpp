#include "document/CCalcFileDialog.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

#include "shell/core/MessageBox.h"
#include "shell/core/SettingsStore.h"
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
        : QFileDialog(parent), owner_(owner) {}

    void accept() override {
        const QStringList files = selectedFiles();
        if (files.isEmpty()) return;
        const QFileInfo info(files.first());
        // A folder is entered, as the platform dialog does.
        if (!info.isDir() && !owner_.ConfirmPath(owner_.ResolvePath(files.first()))) return;
        QFileDialog::accept();
    }

private:
    const CCalcFileDialog& owner_;
};

}  // namespace

CCalcFileDialog::CCalcFileDialog(bool openFileDialog, const QString& defaultExtension,
                                 const QString& fileName, unsigned flags, const QString& filter,
                                 QWidget* parent)
    : open_(openFileDialog),
      defaultExtension_(defaultExtension),
      proposedName_(fileName),
      flags_(flags),
      filter_(filter),
      parent_(parent) {}

QString CCalcFileDialog::GetFileName() const { return QFileInfo(path_).fileName(); }

QString CCalcFileDialog::WithDefaultExtension(const QString& path) const {
    if (path.isEmpty() || defaultExtension_.isEmpty()) return path;
    if (QFileInfo(path).fileName().contains(QLatin1Char('.'))) return path;
    return path + QLatin1Char('.') + defaultExtension_;
}

QString CCalcFileDialog::ResolvePath(const QString& path) const {
    // An existing file without an extension is opened as it is named.
    if (open_ && QFileInfo(path).isFile()) return path;
    return WithDefaultExtension(path);
}

bool CCalcFileDialog::ConfirmPath(const QString& path) const {
    const QFileInfo info(path);
    const bool exists = info.exists();
    if (open_ && !exists) {
        QString text = LoadString(StringId::FileNotFound);
        text.replace(QLatin1String("%s"), info.fileName());
        AppMessageBox(text, MB_OK, 0);
        return false;
    }
    if (!open_ && exists) {
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

QString CCalcFileDialog::FolderKey(Folder kind) {
    switch (kind) {
        case Folder::Calculation:
            return QStringLiteral("Calculation");
        case Folder::Memory:
            return QStringLiteral("Memory");
        case Folder::Execute:
            return QStringLiteral("Execute");
        case Folder::None:
            break;
    }
    return QString();
}

QString CCalcFileDialog::StartFolder() const {
    if (folder_ == Folder::None) return QString();
    const std::unique_ptr<QSettings> settings = OpenSettingsStore();
    settings->beginGroup(SettingsSection::Folders);
    const QString folder = ReadProfileString(*settings, FolderKey(folder_), QString());
    // A folder removed since is forgotten: the dialog starts as it would.
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void CCalcFileDialog::RememberFolder() const {
    if (folder_ == Folder::None || path_.isEmpty()) return;
    const std::unique_ptr<QSettings> settings = OpenSettingsStore();
    settings->beginGroup(SettingsSection::Folders);
    WriteProfileString(*settings, FolderKey(folder_), QFileInfo(path_).absolutePath());
}

int CCalcFileDialog::DoModal() {
    const int answer = Run();
    if (answer == IDOK) RememberFolder();
    return answer;
}

int CCalcFileDialog::Run() {
    path_.clear();
    if (ChooserSlot()) {
        while (true) {
            const QString typed = ChooserSlot()(*this);
            if (typed.isEmpty()) return IDCANCEL;
            const QString path = QFileInfo(ResolvePath(typed)).absoluteFilePath();
            if (ConfirmPath(path)) {
                path_ = path;
                return IDOK;
            }
        }
    }

    CheckingFileDialog dialog(*this, parent_);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setWindowIcon(QApplication::windowIcon());
    dialog.setAcceptMode(open_ ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(NameFilters(filter_));
    // Opening tries the name as typed first; only saving adds the extension always.
    if (!open_) dialog.setDefaultSuffix(defaultExtension_);
    if (!title_.isEmpty()) dialog.setWindowTitle(title_);
    // A proposed name with a folder of its own starts there.
    const QString start = StartFolder();
    if (!start.isEmpty() && (proposedName_.isEmpty() || QFileInfo(proposedName_).isRelative()))
        dialog.setDirectory(start);
    if (!proposedName_.isEmpty()) dialog.selectFile(proposedName_);
    dialog.setSizeGripEnabled((flags_ & OFN_ENABLESIZING) != 0);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return IDCANCEL;
    path_ = QFileInfo(ResolvePath(dialog.selectedFiles().first())).absoluteFilePath();
    return IDOK;
}

CCalcFileDialog::Chooser CCalcFileDialog::SetChooser(Chooser chooser) {
    Chooser previous = std::move(ChooserSlot());
    ChooserSlot() = std::move(chooser);
    return previous;
}
