// Print preview in the main window in place of the editor: a row of buttons
// (Print, next and previous page, one or two pages, zoom in and out, Close)
// over the pages as the print job renders them on the current printer.
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
    int PagesShown() const { return pagesShown_; }
    int PageCount() const;
    int CurrentPage() const;
    QPrintPreviewWidget* PreviewWidget() const { return preview_; }
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

    CCalcView* view_;
    QString path_;
    std::unique_ptr<QPrinter> printer_;
    QPrintPreviewWidget* preview_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* pages_ = nullptr;
    int pagesShown_ = 1;
};
