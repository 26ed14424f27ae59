// Print preview in the main window in place of the editor: a row of buttons
// (Print, next and previous page, one or two pages, zoom in and out, Close)
// over the pages as the print job renders them on the current printer. Two
// pages stand in pairs, 1-2, 3-4, ...: a second page view beside the first
// shows the page after it.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>

class CCalcView;
class QPrinter;
class QPrintPreviewWidget;
class QPushButton;

class CCalcPrintPreview : public QWidget {
    Q_OBJECT
public:
    // The number of pages shown side by side is read from "Settings".
    CCalcPrintPreview(CCalcView* view, const QString& path, QWidget* parent = nullptr);
    ~CCalcPrintPreview() override;

    // "Page %u" or "Pages %u-%u".
    QString StatusText() const;
    // The pages again on the current printer and print settings (after Page
    // Setup), at the same page.
    void Relayout();
    int PagesShown() const { return pagesShown_; }
    int PageCount() const;
    int CurrentPage() const;
    QPrintPreviewWidget* PreviewWidget() const { return preview_; }
    // The page beside it in the two-page view (hidden with one page).
    QPrintPreviewWidget* SecondWidget() const { return second_; }
    QPushButton* Button(const QString& text) const;

    void NextPage();
    void PreviousPage();
    // One page, or two side by side.
    void TogglePages();
    // Writes "PreviewPages".
    void SavePages() const;

signals:
    void PrintRequested();
    void CloseRequested();
    void StatusChanged(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Render(QPrinter* printer);
    void UpdateState();
    // Shows `page` (the first of a pair with two pages).
    void ShowPage(int page);

    CCalcView* view_;
    QString path_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPrinter> secondPrinter_;
    QPrintPreviewWidget* preview_ = nullptr;
    QPrintPreviewWidget* second_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* pages_ = nullptr;
    int pagesShown_ = 1;
};
