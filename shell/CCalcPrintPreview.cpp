#include "shell/CCalcPrintPreview.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QVBoxLayout>

#include "document/CCalcView.h"
#include "document/PrinterSelection.h"
#include "shell/core/SettingsStore.h"

namespace {
const QString kPreviewPages = QStringLiteral("PreviewPages");
}

CCalcPrintPreview::CCalcPrintPreview(CCalcView* view, const QString& path, QWidget* parent)
    : QWidget(parent), view_(view), path_(path), printer_(new QPrinter(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("CCalcPrintPreview"));
    // The pages as the current printer prints them; a PDF page without one.
    PrinterSelection& selection = ApplicationPrinterSelection();
    if (!(selection.EnsureCurrent() && selection.ConfigurePrinter(*printer_)))
        printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setFullPage(false);
    printer_->setPageMargins(printer_->pageLayout().minimumMargins(),
                             printer_->pageLayout().units());
    {
        std::unique_ptr<QSettings> settings = OpenSettingsStore();
        settings->beginGroup(SettingsSection::Settings);
        pagesShown_ = ReadProfileInt(*settings, kPreviewPages, 0) == 2 ? 2 : 1;
    }

    auto* buttons = new QHBoxLayout;
    const auto add = [this, buttons](const QString& text) {
        auto* button = new QPushButton(text, this);
        button->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(button);
        return button;
    };
    QPushButton* print = add(tr("&Print..."));
    next_ = add(tr("&Next Page"));
    previous_ = add(tr("Pre&v Page"));
    pages_ = add(tr("&Two Page"));
    QPushButton* zoomIn = add(tr("Zoom &In"));
    QPushButton* zoomOut = add(tr("Zoom &Out"));
    QPushButton* close = add(tr("&Close"));
    buttons->addStretch(1);

    preview_ = new QPrintPreviewWidget(printer_.get(), this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(buttons);
    layout->addWidget(preview_, 1);

    connect(preview_, &QPrintPreviewWidget::paintRequested, this, &CCalcPrintPreview::Render);
    connect(preview_, &QPrintPreviewWidget::previewChanged, this, &CCalcPrintPreview::UpdateState);
    connect(print, &QPushButton::clicked, this, &CCalcPrintPreview::PrintRequested);
    connect(next_, &QPushButton::clicked, this, &CCalcPrintPreview::NextPage);
    connect(previous_, &QPushButton::clicked, this, &CCalcPrintPreview::PreviousPage);
    connect(pages_, &QPushButton::clicked, this, &CCalcPrintPreview::TogglePages);
    connect(zoomIn, &QPushButton::clicked, preview_, [this] { preview_->zoomIn(); });
    connect(zoomOut, &QPushButton::clicked, preview_, [this] { preview_->zoomOut(); });
    connect(close, &QPushButton::clicked, this, &CCalcPrintPreview::CloseRequested);
    // Esc wherever the focus is within the preview.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &CCalcPrintPreview::CloseRequested);

    preview_->setViewMode(pagesShown_ == 2 ? QPrintPreviewWidget::FacingPagesView
                                           : QPrintPreviewWidget::SinglePageView);
    preview_->setZoomMode(QPrintPreviewWidget::FitInView);
    preview_->updatePreview();
    UpdateState();
}

CCalcPrintPreview::~CCalcPrintPreview() = default;

void CCalcPrintPreview::Render(QPrinter* printer) {
    view_->OnBeginPrinting(*printer, MetricsOf(*printer), path_, false);
    const unsigned counted = view_->Printing().CountedPages();
    const unsigned pages = counted > 0 ? counted : 65535u;
    QPainter painter(printer);
    for (unsigned page = 1; page <= pages && view_->OnPreparePage(page, pages); ++page) {
        if (page > 1) printer->newPage();
        view_->OnPrint(painter, page, pages);
    }
    painter.end();
    view_->OnEndPrinting();
}

int CCalcPrintPreview::PageCount() const { return preview_->pageCount(); }
int CCalcPrintPreview::CurrentPage() const { return preview_->currentPage(); }

QString CCalcPrintPreview::StatusText() const {
    const int page = std::max(1, CurrentPage());
    // Facing pages stand as in a book: page 1 alone, then 2-3, 4-5, ...
    const int first = page - (page % 2);
    if (pagesShown_ == 2 && first >= 2 && first < PageCount())
        return tr("Pages %1-%2").arg(first).arg(first + 1);
    return tr("Page %1").arg(page);
}

QPushButton* CCalcPrintPreview::Button(const QString& text) const {
    for (QPushButton* button : findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

void CCalcPrintPreview::NextPage() {
    preview_->setCurrentPage(CurrentPage() + 1);
    UpdateState();
}

void CCalcPrintPreview::PreviousPage() {
    preview_->setCurrentPage(CurrentPage() - 1);
    UpdateState();
}

void CCalcPrintPreview::TogglePages() {
    pagesShown_ = pagesShown_ == 2 ? 1 : 2;
    preview_->setViewMode(pagesShown_ == 2 ? QPrintPreviewWidget::FacingPagesView
                                           : QPrintPreviewWidget::SinglePageView);
    UpdateState();
}

void CCalcPrintPreview::SavePages() const {
    std::unique_ptr<QSettings> settings = OpenSettingsStore();
    settings->beginGroup(SettingsSection::Settings);
    WriteProfileInt(*settings, kPreviewPages, pagesShown_);
}

void CCalcPrintPreview::UpdateState() {
    // The button names the view it switches to.
    pages_->setText(pagesShown_ == 2 ? tr("&One Page") : tr("&Two Page"));
    next_->setEnabled(CurrentPage() < PageCount());
    previous_->setEnabled(CurrentPage() > 1);
    emit StatusChanged(StatusText());
}

void CCalcPrintPreview::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit CloseRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}
