// The editor: a plain-text editor that wraps, keeps the text limit, and
// carries the persisted editor font.
#pragma once

#include <QPlainTextEdit>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/EditorFont.h"
#include "document/PagePrinter.h"

class QSettings;

// Sees the editor's keys before and after the editor handles them.
class IEditorKeys {
public:
    // True when the key is used up and the editor must not see it.
    virtual bool BeforeKey(QKeyEvent* event) = 0;
    virtual void AfterKey(QKeyEvent* event) = 0;

protected:
    ~IEditorKeys() = default;
};

class CCalcView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CCalcView(QWidget* parent = nullptr);

    // The whole text, line breaks as LF.
    QString EditorText() const;
    // The same, for the engine, read without a whole copy beside it.
    std::u16string EditorTextU16() const;
    // Turns the editor's line breaks in a copy of its text (U+2029 between
    // blocks, U+2028 within one) into LF.
    static void ToLineFeeds(QString& text);
    // Replaces the whole text without reporting an edit; empties the undo history.
    void ReplaceText(const QString& text);
    // The same for a large text, a piece at a time: after each piece `step`
    // hears how many code units are in and may call the rest off (false),
    // which leaves the editor empty. A small text goes in at once.
    bool ReplaceTextInSteps(QStringView text, const std::function<bool(qint64, qint64)>& step);
    // The same, the text coming a piece at a time from `next` (false when
    // there is no more); `step` is heard after each piece.
    bool ReplaceTextInPieces(const std::function<bool(QString&)>& next,
                             const std::function<bool()>& step);
    // A large text put in a document of its own, a piece at a time, while
    // the editor keeps showing the old one; it takes the old one's place
    // only when whole. Called off, the editor is as it was. After each
    // piece, `taken` hears how much of `text` is in (and not read again)
    // and `step` as above. The undo history goes with the old text.
    bool ReplaceTextAside(QStringView text, const std::function<bool(qint64, qint64)>& step,
                          const std::function<void(qsizetype)>& taken);
    // Texts longer than this go in a piece at a time. Their lines go into the
    // editor a few thousand code units to a block, parted within a block by
    // U+2028 (a line break as any other to the user, EditorText and saving):
    // Qt keeps some 130 bytes for each block and, after every change of the
    // editor's width, a layout object of some 300 bytes.
    static constexpr qsizetype kPieceUnits = qsizetype{1} << 20;
    static constexpr qsizetype kGroupedLines = 4096;
    // Gives the heap's free memory back to the system (after a large text
    // came or went: the editor otherwise keeps it for long lines' layouts).
    static void ReleaseFreedMemory();
    // While one lives, blocks of a megabyte and more are mapped apart (the
    // editor otherwise keeps them in the heap, for long lines' layouts): the
    // copies of a large text and the document's text and tables, which grow
    // by doubling, then grow by remapping, without a copy, never land in the
    // holes a freed copy left in the heap (its free room is taken, untouched,
    // meanwhile), never touch their unused room, and go back whole when freed.
    class LargeBlocksMapped {
    public:
        LargeBlocksMapped();
        ~LargeBlocksMapped();
        LargeBlocksMapped(const LargeBlocksMapped&) = delete;
        LargeBlocksMapped& operator=(const LargeBlocksMapped&) = delete;
    };
    // Length in code units, each line break counted as CR LF.
    qsizetype TextLength() const;
    // Length of EditorText.
    qsizetype TextUnits() const;
    // A position of the editor as a position of EditorText, and back (where
    // a line is parted, to the end of the part before).
    qsizetype TextPosition(int position) const;
    int EditorPosition(qsizetype textPosition) const;
    // Inserts text (LF breaks) at the cursor as one edit: its line breaks
    // are the text's, and a line too long for one layout block is parted.
    void InsertPlainText(QTextCursor& cursor, const QString& text);
    // The editor's own breaks, in the blocks after them.
    qsizetype SoftBreakCount() const { return totals_->softBlocks; }
    // The editor's own modification mark.
    void SetModify(bool modified);
    bool GetModify() const;

    // Editor font.
    void LoadFont(QSettings& settings);
    void SaveFont(QSettings& settings) const;
    void SetDefaultFont();
    // Font dialog; true when a font was chosen and applied.
    bool SelectFont();
    // Applies a font chosen in the font dialog.
    bool ApplyChosenFont(const QFont& font);
    bool IsDefaultFont() const { return defaultFont_; }
    int FontSize() const { return fontSize_; }
    EditorFontValues CurrentFontValues() const;
    int ScreenDpi() const;

    // Longest prefix of text (LF line breaks) that fits in room code units.
    static QString FitText(const QString& text, qsizetype room);
    static qsizetype LengthOf(const QString& editorText);

    // True while some line is too long to wrap at word boundaries in
    // reasonable time: then every line wraps at the right edge, anywhere.
    bool WrapsAnywhere() const;
    // False while a long line of text that looks the same unshaped is laid
    // out without the shaper.
    bool ShapesText() const;

    // Printing, called in this order by the print job and the preview:
    // prepare (the selection may print), begin (fonts, the selection's
    // bounds, the page count), then per page prepare-page and render-page,
    // and end.
    bool OnPreparePrinting() const;
    // The text as it prints: line breaks as CR LF.
    QString PrintText() const;
    void OnBeginPrinting(QPaintDevice& device, const DeviceMetrics& metrics, const QString& path,
                         bool selection);
    bool OnPreparePage(unsigned page, unsigned pages) { return print_.PreparePage(page, pages); }
    void OnPrint(QPainter& painter, unsigned page, unsigned pages) {
        print_.RenderPage(painter, page, pages);
    }
    void OnEndPrinting() { print_.End(); }
    const PagePrinter& Printing() const { return print_; }
    qsizetype PrintSelectionStart() const { return printSelectionStart_; }
    qsizetype PrintSelectionEnd() const { return printSelectionEnd_; }

    void SetKeyHandler(IEditorKeys* handler) { keys_ = handler; }
    // Length of the selection, each line break counted as CR LF.
    qsizetype SelectionLength() const;

signals:
    // The user (or an undoable edit) changed the text.
    void Edited();
    // The text changed, as the document says, after the editor has seen it;
    // a new document taking the old one's place is a change of the whole.
    void ContentsChange(int position, int removed, int added);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void changeEvent(QEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    void HandleKey(QKeyEvent* event);
    QTextDocument* NewDocument();
    // Follows the changes of the document shown.
    void AttachDocument();
    // What a change of a document brought: the text inserted, and whether a
    // block it touched is a long line (whose glyphs are then kept).
    struct Change {
        QString inserted;
        bool longLine = false;
    };
    Change NoteChange(QTextDocument* doc, int position, int added);
    // Counts the U+2028 of the blocks a change touched again; `brought`: the
    // inserted text holds some.
    void CountLineSeparators(QTextDocument* doc, int position, int added, bool brought);
    // How a text that goes in is to be laid out.
    struct TextModes {
        bool shaping = false;
        bool wrapAnywhere = false;
    };
    // Inserts the pieces from `next` at the end of `doc`, lines grouped, and
    // notes the modes they need (applied at once when `applyModes`); false
    // when `step` called the rest off.
    bool InsertPieces(QTextDocument* doc, const std::function<bool(QString&)>& next,
                      const std::function<bool()>& step, TextModes& modes, bool applyModes);
    void ApplyModes(TextModes modes);
    void UpdateTabStops();
    void SetEditorFont(const QFont& font);
    void SetWrapAnywhere(bool anywhere);
    void OnContentsChange(int position, int removed, int added);
    void UpdateShaping();
    // Parts the blocks of the lines in [from, to] longer than a layout block
    // should be, and joins a parted line grown short; within the cursor's edit.
    void PartLines(QTextCursor& edit, int from, int to);
    // The same for what changed since the last time, as part of that change.
    void PartChangedLines();
    // Doc positions of the blocks after the editor's own breaks.
    const std::vector<int>& SoftStarts() const;

    IEditorKeys* keys_ = nullptr;
    bool replacing_ = false;
    // The U+2028 in the text and the editor's own breaks, kept by the
    // blocks that hold some.
    struct BlockTotals {
        qsizetype lineSeparators = 0;
        qsizetype softBlocks = 0;
        qsizetype markedBlocks = 0;  // a mark either side
    };
    std::shared_ptr<BlockTotals> totals_ = std::make_shared<BlockTotals>();
    // Some block may have been parted (then every change is counted).
    bool softSeen_ = false;
    mutable std::vector<int> softStarts_;
    mutable bool softStartsValid_ = false;
    // What changed since the lines were last parted: [from, to], or none.
    int partFrom_ = -1;
    int partTo_ = -1;
    bool partQueued_ = false;
    bool parting_ = false;
    // The text may hold characters the shaper must see.
    bool needsShaping_ = false;
    bool defaultFont_ = true;
    int fontSize_ = 15;
    // The job's fonts and pages live in print_ from begin to end.
    PagePrinter print_;
    qsizetype printSelectionStart_ = 0;
    qsizetype printSelectionEnd_ = 0;
};
