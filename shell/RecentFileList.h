// The four most recently opened or saved documents, most recent first.
#pragma once

#include <QString>
#include <QStringList>

class QSettings;

class CRecentFileList {
public:
    static constexpr int kSize = 4;
    static constexpr int kMaxDisplayLength = 30;

    // Puts the path first; an entry of the same path moves up.
    void Add(const QString& path);
    void Remove(int index);
    int Count() const { return static_cast<int>(paths_.size()); }
    const QString& At(int index) const { return paths_.at(index); }
    const QStringList& Paths() const { return paths_; }

    // "Recent File List", values "File1".."File4".
    void Load(QSettings& settings);
    void Save(QSettings& settings) const;

    // Menu text of entry index: "&1 " and the path shortened to 30 characters.
    QString MenuText(int index) const;

private:
    QStringList paths_;
};

// The path itself when it has at most maxLength characters; otherwise the
// root, "...", and as many trailing folders before the file name as fit;
// the bare file name when not even one folder fits, itself shortened by
// ShortenMiddle when longer than maxLength. Never longer than maxLength.
QString AbbreviatePath(const QString& path, int maxLength);

// The text itself when it fits; otherwise its start, "..." and its end, at
// most maxLength characters in all, the end keeping the larger half.
QString ShortenMiddle(const QString& text, int maxLength);
