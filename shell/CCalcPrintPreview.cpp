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
#include <algorithm>

#include "document/CCalcView.h"
#include "document/PrinterSelection.h"
#include "shell/core/SettingsStore.h"

namespace {
const QString kPreviewPages = QStringLiteral("PreviewPages");

// The pages as the current printer prints them; a PDF page without one.
void ConfigurePrinter(QPrinter& printer) {
    PrinterSelection& selection = ApplicationPrinterSelection();
    if (!(selection.EnsureCurrent() && selection.ConfigurePrinter(printer)))
        printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setFullPage(false);
    printer.setPageMargins(printer.pageLayout().minimumMargins(), printer.pageLayout().units());
}
}  // namespace

CCalcPrintPreview::CCalcPrintPreview(CCalcView* view, const QString& path, QWidget* parent)
    : QWidget(parent),
      view_(view),
      path_(path),
      printer_(new QPrinter(QPrinter::HighResolution)),
      secondPrinter_(new QPrinter(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("CCalcPrintPreview"));
    ConfigurePrinter(*printer_);
    ConfigurePrinter(*secondPrinter_);
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
    second_ = new QPrintPreviewWidget(secondPrinter_.get(), this);
    auto* pages = new QHBoxLayout;
    pages->setSpacing(0);
    pages->addWidget(preview_, 1);
    pages->addWidget(second_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(buttons);
    layout->addLayout(pages, 1);

    // An odd last page keeps the place of its missing partner.
    QSizePolicy keepPlace = second_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    second_->setSizePolicy(keepPlace);
    for (QPrintPreviewWidget* widget : {preview_, second_}) {
        widget->setViewMode(QPrintPreviewWidget::SinglePageView);
        widget->setZoomMode(QPrintPreviewWidget::FitInView);
        connect(widget, &QPrintPreviewWidget::paintRequested, this, &CCalcPrintPreview::Render);
    }
    connect(preview_, &QPrintPreviewWidget::previewChanged, this, &CCalcPrintPreview::UpdateState);
    connect(print, &QPushButton::clicked, this, &CCalcPrintPreview::PrintRequested);
    connect(next_, &QPushButton::clicked, this, &CCalcPrintPreview::NextPage);
    connect(previous_, &QPushButton::clicked, this, &CCalcPrintPreview::PreviousPage);
    connect(pages_, &QPushButton::clicked, this, &CCalcPrintPreview::TogglePages);
    connect(zoomIn, &QPushButton::clicked, preview_, [this] {
        preview_->zoomIn();
        second_->zoomIn();
    });
    connect(zoomOut, &QPushButton::clicked, preview_, [this] {
        preview_->zoomOut();
        second_->zoomOut();
    });
    connect(close, &QPushButton::clicked, this, &CCalcPrintPreview::CloseRequested);
    // Esc wherever the focus is within the preview.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &CCalcPrintPreview::CloseRequested);

    preview_->updatePreview();
    keepPlace.setRetainSizeWhenHidden(pagesShown_ == 2);
    second_->setSizePolicy(keepPlace);
    second_->setVisible(pagesShown_ == 2);
    ShowPage(1);
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
    if (pagesShown_ == 2 && page + 1 <= PageCount())
        return tr("Pages %1-%2").arg(page).arg(page + 1);
    return tr("Page %1").arg(page);
}

void CCalcPrintPreview::Relayout() {
    const int page = CurrentPage();
    ConfigurePrinter(*printer_);
    ConfigurePrinter(*secondPrinter_);
    preview_->updatePreview();
    if (pagesShown_ == 2) second_->updatePreview();
    ShowPage(page);
}

void CCalcPrintPreview::ShowPage(int page) {
    const int step = pagesShown_;
    const int last = std::max(1, PageCount());
    // Pairs begin on odd pages.
    page = std::clamp(page, 1, last);
    if (step == 2) page -= (page - 1) % 2;
    preview_->setCurrentPage(page);
    if (step == 2) {
        // The page after the pair's first, or an empty place after the last.
        second_->setVisible(page + 1 <= PageCount());  // its pages are made when first shown
        second_->setCurrentPage(page + 1);
    }
    UpdateState();
}

QPushButton* CCalcPrintPreview::Button(const QString& text) const {
    for (QPushButton* button : findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

void CCalcPrintPreview::NextPage() { ShowPage(CurrentPage() + pagesShown_); }

void CCalcPrintPreview::PreviousPage() { ShowPage(CurrentPage() - pagesShown_); }

void CCalcPrintPreview::TogglePages() {
    pagesShown_ = pagesShown_ == 2 ? 1 : 2;
    // One page has the whole width.
    QSizePolicy policy = second_->sizePolicy();
    policy.setRetainSizeWhenHidden(pagesShown_ == 2);
    second_->setSizePolicy(policy);
    second_->setVisible(pagesShown_ == 2);
    ShowPage(CurrentPage());
}

void CCalcPrintPreview::SavePages() const {
    std::unique_ptr<QSettings> settings = OpenSettingsStore();
    settings->beginGroup(SettingsSection::Settings);
    WriteProfileInt(*settings, kPreviewPages, pagesShown_);
}

void CCalcPrintPreview::UpdateState() {
    // The button names the view it switches to.
    pages_->setText(pagesShown_ == 2 ? tr("&One Page") : tr("&Two Page"));
    next_->setEnabled(CurrentPage() + pagesShown_ <= PageCount());
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
