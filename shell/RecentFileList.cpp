#include "shell/RecentFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>

#include "shell/core/SettingsStore.h"

namespace {

bool SamePath(const QString& a, const QString& b) {
#ifdef Q_OS_WIN
    return QDir::cleanPath(a).compare(QDir::cleanPath(b), Qt::CaseInsensitive) == 0;
#else
    return QDir::cleanPath(a) == QDir::cleanPath(b);
#endif
}

bool IsSeparator(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }

}  // namespace

void CRecentFileList::Add(const QString& path) {
    if (path.isEmpty()) return;
    for (qsizetype i = 0; i < paths_.size(); ++i) {
        if (SamePath(paths_[i], path)) {
            paths_.removeAt(i);
            break;
        }
    }
    paths_.prepend(path);
    while (paths_.size() > kSize) paths_.removeLast();
}

void CRecentFileList::Remove(int index) {
    if (index >= 0 && index < paths_.size()) paths_.removeAt(index);
}

void CRecentFileList::Load(QSettings& settings) {
    paths_.clear();
    settings.beginGroup(SettingsSection::RecentFileList);
    for (int i = 1; i <= kSize; ++i) {
        const QString path =
            ReadProfileString(settings, QStringLiteral("File%1").arg(i), QString());
        if (!path.isEmpty()) paths_.append(path);
    }
    settings.endGroup();
}

void CRecentFileList::Save(QSettings& settings) const {
    settings.remove(SettingsSection::RecentFileList);
    settings.beginGroup(SettingsSection::RecentFileList);
    for (qsizetype i = 0; i < paths_.size(); ++i)
        WriteProfileString(settings, QStringLiteral("File%1").arg(i + 1), paths_[i]);
    settings.endGroup();
}

QString CRecentFileList::MenuText(int index) const {
    QString name = AbbreviatePath(QDir::toNativeSeparators(paths_.at(index)), kMaxDisplayLength);
    name.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(name);
}

QString ShortenMiddle(const QString& text, int maxLength) {
    if (text.size() <= maxLength) return text;
    const QString ellipsis = QStringLiteral("...");
    if (maxLength <= ellipsis.size()) return ellipsis.left(std::max(maxLength, 0));
    const qsizetype kept = maxLength - ellipsis.size();
    qsizetype head = kept / 2;
    qsizetype tail = kept - head;
    // Never half a surrogate pair on either side of the cut.
    if (head > 0 && text[head - 1].isHighSurrogate()) --head;
    if (tail > 0 && text[text.size() - tail].isLowSurrogate()) --tail;
    return text.left(head) + ellipsis + text.right(tail);
}

QString AbbreviatePath(const QString& path, int maxLength) {
    if (path.size() <= maxLength) return path;

    qsizetype nameStart = path.size();
    while (nameStart > 0 && !IsSeparator(path[nameStart - 1])) --nameStart;
    if (nameStart == 0) return ShortenMiddle(path, maxLength);

    // The root: "/", "C:\" or "\\server\share\".
    qsizetype rootEnd = 0;
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        int separators = 0;
        rootEnd = 2;
        while (rootEnd < nameStart && separators < 2) {
            if (IsSeparator(path[rootEnd])) ++separators;
            ++rootEnd;
        }
    } else if (path.size() >= 3 && path[1] == QLatin1Char(':') && IsSeparator(path[2])) {
        rootEnd = 3;
    } else if (IsSeparator(path[0])) {
        rootEnd = 1;
    }
    const QString ellipsis = QStringLiteral("...");

    // Take trailing folders while root + "..." + tail fits; lengths only, so
    // a path of megabytes costs no copies of itself.
    qsizetype best = -1;
    qsizetype tailStart = nameStart - 1;  // at the separator before the name
    while (rootEnd + ellipsis.size() + (path.size() - tailStart) <= maxLength) {
        best = tailStart;
        if (tailStart <= rootEnd) break;
        qsizetype previous = tailStart - 1;
        while (previous >= rootEnd && !IsSeparator(path[previous])) --previous;
        if (previous < rootEnd) break;
        tailStart = previous;
    }
    if (best < 0) return ShortenMiddle(path.mid(nameStart), maxLength);
    return path.left(rootEnd) + ellipsis + path.mid(best);
}
