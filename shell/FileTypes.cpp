#include "shell/FileTypes.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

#include "engine/FileAccess.h"
#include "toolkit/TaImage.h"
#include "toolkit/TaResources.h"
#include "toolkit/U16Text.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace FileTypes {

namespace {

const QString kCalculationClass = QStringLiteral("Tarvik.Calculator.Calculation");
const QString kMemoryClass = QStringLiteral("Tarvik.Calculator.Memory");
const QString kDefaultGroup = QStringLiteral("[Default Applications]");
const QString kDocumentIcon = QStringLiteral(":/desktop/document.svg");

// Files larger than this are not ours to edit (a mimeapps.list, an icon).
constexpr std::size_t kMaxFileBytes = 4 * 1024 * 1024;

bool ReadFile(const QString& path, QByteArray& bytes) {
    std::string content;
    if (!NCalculatorText::ReadRegularFile(NativePath(path), kMaxFileBytes, content).Ok())
        return false;
    bytes = QByteArray(content.data(), static_cast<qsizetype>(content.size()));
    return true;
}

QByteArray ResourceBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes bytes unless the file already holds exactly them; true when written.
bool WriteIfChanged(const QString& path, const QByteArray& bytes) {
    QByteArray current;
    if (ReadFile(path, current) && current == bytes) return false;
    if (!QDir().mkpath(QFileInfo(path).path())) return false;
    return NCalculatorText::ReplaceFile(NativePath(path),
                                        std::string_view(bytes.constData(), bytes.size()))
        .Ok();
}

QByteArray RenderPng(const QString& svgPath, int side) {
    TaBitmap source;
    if (!source.LoadFile(svgPath)) return QByteArray();
    const QImage image = source.RenderSquare(side);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// Runs a cache tool on a folder when it is installed; its failure is ignored.
void RunTool(const QString& tool, const QString& folder) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) return;
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, {folder});
    if (!process.waitForFinished(10000)) process.kill();
    process.waitForFinished(1000);
}

bool IsGroupHeader(const QString& line) {
    const QString trimmed = line.trimmed();
    return trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'));
}

// The key of a "key=value" line, empty for anything else.
QString KeyOf(const QString& line) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    return equals <= 0 ? QString() : line.left(equals).trimmed();
}

QString EnvironmentFolder(const char* variable, const QString& fallback) {
    const QString value = qEnvironmentVariable(variable);
    // The base-directory rules ignore relative values.
    return !value.isEmpty() && QDir::isAbsolutePath(value) ? value : fallback;
}

}  // namespace

QString ExecProgram(const QString& programPath) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = false;
    for (const QChar c : programPath)
        if (reserved.contains(c)) quote = true;
    QString word;
    if (quote) {
        word += QLatin1Char('"');
        for (const QChar c : programPath) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
                c == QLatin1Char('\\'))
                word += QLatin1Char('\\');
            word += c;
        }
        word += QLatin1Char('"');
    } else {
        word = programPath;
    }
    // A literal percent sign is doubled (field codes); then the value's own
    // escape doubles every backslash.
    word.replace(QLatin1Char('%'), QStringLiteral("%%"));
    word.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return word;
}

QString DesktopEntryText(const QString& programPath) {
    QString text = QString::fromUtf8(ResourceBytes(QStringLiteral(":/desktop/numera.desktop.in")));
    text.replace(QStringLiteral("@NUMERA_EXEC@"), ExecProgram(programPath));
    return text;
}

QString DefaultApplication(const QString& mimeAppsText, const QString& mimeType) {
    bool inGroup = false;
    for (const QString& line : mimeAppsText.split(QLatin1Char('\n'))) {
        if (IsGroupHeader(line)) {
            inGroup = line.trimmed() == kDefaultGroup;
        } else if (inGroup && KeyOf(line) == mimeType) {
            const QString value = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
            return value.split(QLatin1Char(';'), Qt::SkipEmptyParts).value(0).trimmed();
        }
    }
    return QString();
}

QString WithDefaultApplication(const QString& mimeAppsText, const QString& mimeType,
                               const QString& desktopId) {
    const QString entry = mimeType + QLatin1Char('=') + desktopId + QLatin1Char(';');
    QStringList lines = mimeAppsText.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    qsizetype insertAt = -1;  // after the last key line of the group
    bool inGroup = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (IsGroupHeader(lines[i])) {
            inGroup = lines[i].trimmed() == kDefaultGroup;
            if (inGroup) insertAt = i + 1;
        } else if (inGroup) {
            if (KeyOf(lines[i]) == mimeType) {
                lines[i] = entry;
                return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
            }
            if (!lines[i].trimmed().isEmpty()) insertAt = i + 1;
        }
    }
    if (insertAt < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines << QString();
        lines << kDefaultGroup;
        insertAt = lines.size();
    }
    lines.insert(insertAt, entry);
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

bool MayTakeDefault(const QString& currentDefault, const QString& desktopId) {
    return currentDefault.isEmpty() || currentDefault == desktopId;
}

QString TemplatesFolder(const QString& userDirsText, const QString& home) {
    for (const QString& raw : userDirsText.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (!line.startsWith(QLatin1String("XDG_TEMPLATES_DIR="))) continue;
        QString value = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
        if (value.size() < 2 || !value.startsWith(QLatin1Char('"')) ||
            !value.endsWith(QLatin1Char('"')))
            return QString();
        value = value.mid(1, value.size() - 2);
        if (value.startsWith(QLatin1String("$HOME")))
            value = home + value.mid(5);
        else if (!value.startsWith(QLatin1Char('/')))
            return QString();
        if (QDir::cleanPath(value) == QDir::cleanPath(home)) return QString();
        return QDir::cleanPath(value);
    }
    return QString();
}

DesktopLocations LocationsFromEnvironment() {
    DesktopLocations locations;
    const QString home = QDir::homePath();
    locations.dataHome = EnvironmentFolder("XDG_DATA_HOME", home + QStringLiteral("/.local/share"));
    locations.configHome = EnvironmentFolder("XDG_CONFIG_HOME", home + QStringLiteral("/.config"));
    QByteArray userDirs;
    if (ReadFile(locations.configHome + QStringLiteral("/user-dirs.dirs"), userDirs))
        locations.templates = TemplatesFolder(QString::fromUtf8(userDirs), home);
    return locations;
}

QStringList RegisterDesktopFileTypes(const DesktopLocations& locations,
                                     const QString& programPath) {
    QStringList written;
    const auto write = [&](const QString& path, const QByteArray& bytes) {
        if (bytes.isEmpty() || !WriteIfChanged(path, bytes)) return false;
        written << path;
        return true;
    };
    const QString data = locations.dataHome;
    if (data.isEmpty()) return written;

    const QString entryPath = data + QStringLiteral("/applications/") + DesktopId;
    const bool entryChanged = write(entryPath, DesktopEntryText(programPath).toUtf8());
    const bool mimeChanged = write(data + QStringLiteral("/mime/packages/numera.xml"),
                                   ResourceBytes(QStringLiteral(":/desktop/numera.xml")));

    // Icons: the vector artwork, and pictures of the common sizes drawn from
    // it whenever it changed or a picture is missing.
    const QString icons = data + QStringLiteral("/icons/hicolor/");
    const QString programSvg = TaArtworkPath(TaArt::ProgramIcon);
    struct Icon {
        QString source, folder, name;
    };
    const Icon iconList[] = {
        {programSvg, QStringLiteral("apps"), QStringLiteral("numera")},
        {kDocumentIcon, QStringLiteral("mimetypes"),
         QStringLiteral("application-x-tarvik-calculation")},
        {kDocumentIcon, QStringLiteral("mimetypes"), QStringLiteral("application-x-tarvik-memory")},
    };
    for (const Icon& icon : iconList) {
        const QString relative = icon.folder + QLatin1Char('/') + icon.name;
        const bool svgChanged =
            write(icons + QStringLiteral("scalable/") + relative + QStringLiteral(".svg"),
                  ResourceBytes(icon.source));
        for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
            const QString png =
                icons + QStringLiteral("%1x%1/").arg(side) + relative + QStringLiteral(".png");
            if (svgChanged || !QFileInfo::exists(png)) write(png, RenderPng(icon.source, side));
        }
    }

    // Default applications: the memory type always, the calculation type
    // only when it is free or already ours. The user's list in the config
    // folder wins over the older one in the data folder.
    const QString mimeAppsPath = locations.configHome + QStringLiteral("/mimeapps.list");
    QByteArray mimeApps;
    ReadFile(mimeAppsPath, mimeApps);
    QString text = QString::fromUtf8(mimeApps);
    QString calculationDefault = DefaultApplication(text, CalculationMimeType);
    if (calculationDefault.isEmpty()) {
        QByteArray older;
        if (ReadFile(data + QStringLiteral("/applications/mimeapps.list"), older))
            calculationDefault = DefaultApplication(QString::fromUtf8(older), CalculationMimeType);
    }
    if (DefaultApplication(text, MemoryMimeType) != DesktopId)
        text = WithDefaultApplication(text, MemoryMimeType, DesktopId);
    if (MayTakeDefault(calculationDefault, DesktopId) &&
        DefaultApplication(text, CalculationMimeType) != DesktopId)
        text = WithDefaultApplication(text, CalculationMimeType, DesktopId);
    if (!locations.configHome.isEmpty()) write(mimeAppsPath, text.toUtf8());

    // The desktop's "New" menu: an empty calculation, never replacing one.
    if (!locations.templates.isEmpty() && QFileInfo(locations.templates).isDir()) {
        const QString templatePath = locations.templates + QLatin1Char('/') + TemplateName;
        if (!QFileInfo::exists(templatePath) && !QFileInfo(templatePath).isSymLink() &&
            NCalculatorText::ReplaceFile(NativePath(templatePath), std::string_view()).Ok())
            written << templatePath;
    }

    if (mimeChanged || !QFileInfo::exists(data + QStringLiteral("/mime/globs2")))
        RunTool(QStringLiteral("update-mime-database"), data + QStringLiteral("/mime"));
    if (entryChanged || !QFileInfo::exists(data + QStringLiteral("/applications/mimeinfo.cache")))
        RunTool(QStringLiteral("update-desktop-database"), data + QStringLiteral("/applications"));
    return written;
}

QVector<ClassValue> WindowsClassValues(const QString& programPath, bool takeCalculationExtension) {
    const QString icon = programPath + QStringLiteral(",1");
    const QString open = programPath + QStringLiteral(" \"%1\"");
    const QString print = programPath + QStringLiteral(" /p \"%1\"");
    const QString printTo = programPath + QStringLiteral(" /pt \"%1\" \"%2\" \"%3\" \"%4\"");
    QVector<ClassValue> values;
    if (takeCalculationExtension) {
        values << ClassValue{QStringLiteral(".tvc"), QString(), kCalculationClass}
               << ClassValue{QStringLiteral(".tvc/ShellNew"), QStringLiteral("NullFile"),
                             QString()};
    }
    values << ClassValue{kCalculationClass, QString(), QStringLiteral("Tarvik calculation file")}
           << ClassValue{kCalculationClass + QStringLiteral("/DefaultIcon"), QString(), icon}
           << ClassValue{kCalculationClass + QStringLiteral("/shell/open/command"), QString(), open}
           << ClassValue{kCalculationClass + QStringLiteral("/shell/print/command"), QString(),
                         print}
           << ClassValue{kCalculationClass + QStringLiteral("/shell/printto/command"), QString(),
                         printTo}
           << ClassValue{QStringLiteral(".tvm"), QString(), kMemoryClass}
           << ClassValue{kMemoryClass, QString(), QStringLiteral("Tarvik calculator memory file")}
           << ClassValue{kMemoryClass + QStringLiteral("/DefaultIcon"), QString(), icon}
           << ClassValue{QStringLiteral(".tvm/ShellNew"), QStringLiteral("NullFile"), QString()}
           << ClassValue{kMemoryClass + QStringLiteral("/shell/open/command"), QString(), open}
           << ClassValue{kMemoryClass + QStringLiteral("/shell/print/command"), QString(), print}
           << ClassValue{kMemoryClass + QStringLiteral("/shell/printto/command"), QString(),
                         printTo};
    return values;
}

bool MayTakeExtension(const QString& currentClass) {
    return currentClass.isEmpty() || currentClass == kCalculationClass;
}

#ifdef Q_OS_WIN
namespace {

// The program's path in its short (8.3) form, the long one when there is none.
QString ShortProgramPath() {
    const QString path = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
    const std::wstring wide = path.toStdWString();
    const DWORD length = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (length == 0) return path;
    std::wstring shortPath(length, L'\0');
    const DWORD written = GetShortPathNameW(wide.c_str(), shortPath.data(), length);
    if (written == 0 || written >= length) return path;
    shortPath.resize(written);
    return QString::fromStdWString(shortPath);
}

void RegisterWindowsFileTypes() {
    // The merged view decides whether ".tvc" already belongs to someone.
    const QSettings root(QStringLiteral("HKEY_CLASSES_ROOT"), QSettings::NativeFormat);
    const bool take = MayTakeExtension(root.value(QStringLiteral(".tvc/Default")).toString());
    QSettings classes(QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes"),
                      QSettings::NativeFormat);
    for (const ClassValue& row : WindowsClassValues(ShortProgramPath(), take)) {
        const QString name = row.name.isEmpty() ? QStringLiteral("Default") : row.name;
        classes.setValue(row.key + QLatin1Char('/') + name, row.value);
    }
    classes.sync();
}

}  // namespace
#endif

void RegisterFileTypes() {
#ifdef Q_OS_WIN
    RegisterWindowsFileTypes();
#else
    RegisterDesktopFileTypes(LocationsFromEnvironment(), QCoreApplication::applicationFilePath());
#endif
}

}  // namespace FileTypes
