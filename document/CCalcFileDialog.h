// The one open/save dialog of the program. It makes its two checks itself:
// a name to open must exist, an existing name to save over needs a Yes.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

class CCalcFileDialog {
public:
    // Option flags as the callers pass them.
    static constexpr unsigned OFN_HIDEREADONLY = 0x00000004;
    static constexpr unsigned OFN_PATHMUSTEXIST = 0x00000800;
    static constexpr unsigned OFN_EXPLORER = 0x00080000;
    static constexpr unsigned OFN_ENABLESIZING = 0x00800000;
    static constexpr unsigned kDefaultFlags =
        OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_ENABLESIZING;

    // Filters in "description|pattern|...||" form.
    static const QString kCalculationFilter;  // documents, Execute
    static const QString kMemoryLoadFilter;   // Memory, Load
    static const QString kMemorySaveFilter;   // Memory, Save

    CCalcFileDialog(bool openFileDialog, const QString& defaultExtension, const QString& fileName,
                    unsigned flags, const QString& filter, QWidget* parent);

    // The kinds of file whose last folder the dialog remembers, for the
    // session and the next runs; None starts where the process is.
    enum class Folder { None, Calculation, Memory, Execute };
    void SetFolder(Folder kind) { folder_ = kind; }
    Folder FolderKind() const { return folder_; }
    // The folder the dialog opens in: the last one of its kind that still
    // exists, or nothing for the process's working folder.
    QString StartFolder() const;
    // The settings key of a kind's folder in section "GUI/Folders".
    static QString FolderKey(Folder kind);

    void SetTitle(const QString& title) { title_ = title; }
    // IDOK or IDCANCEL.
    int DoModal();
    QString GetPathName() const { return path_; }
    QString GetFileName() const;

    bool IsOpenDialog() const { return open_; }
    const QString& DefaultExtension() const { return defaultExtension_; }
    const QString& ProposedName() const { return proposedName_; }
    const QString& Filter() const { return filter_; }
    const QString& Title() const { return title_; }
    unsigned Flags() const { return flags_; }

    // The dialog's own check of a confirmed path; true lets the dialog close.
    bool ConfirmPath(const QString& path) const;
    // The typed name with the default extension added when it has none.
    QString WithDefaultExtension(const QString& path) const;
    // The path a typed name stands for: when opening, the name as given if
    // such a file exists, else the name with the default extension.
    QString ResolvePath(const QString& path) const;
    // "a|b|c|d||" as Qt name filters; "*.*" becomes "*".
    static QStringList NameFilters(const QString& filter);

    // Tests replace the user: the chooser sees the dialog and answers the
    // typed path, or an empty string for Cancel. It is asked again while
    // the dialog's checks keep the dialog open.
    using Chooser = std::function<QString(const CCalcFileDialog& dialog)>;
    static Chooser SetChooser(Chooser chooser);

private:
    int Run();
    void RememberFolder() const;

    bool open_;
    QString defaultExtension_;
    QString proposedName_;
    unsigned flags_;
    QString filter_;
    QString title_;
    QWidget* parent_;
    QString path_;
    Folder folder_ = Folder::None;
};
