#include "shell/CCalcAboutDialog.h"

#include <QPainter>

#include "toolkit/TaButton.h"
#include "toolkit/TaFonts.h"
#include "toolkit/TaLink.h"
#include "toolkit/TaResources.h"
#include "toolkit/TaStatic.h"

namespace {
constexpr QRgb kTextColor = 0xFE202020;
constexpr QRgb kLinkColor = 0xFE20A0E8;
constexpr QRgb kBackground = 0xFFF8F8F8;
}  // namespace

CCalcAboutDialog::CCalcAboutDialog(const TaFonts& fonts, QWidget* parent)
    : TaDialog(kTemplateId, fonts, parent) {
    setWindowTitle(tr("About Calculator"));
    setWindowIcon(TaProgramIcon());
}

QString CCalcAboutDialog::SupportAddress() {
    return QString::fromLatin1(kMakerSite) + QStringLiteral("/support");
}

QString CCalcAboutDialog::ProfessionalAddress() {
    return QString::fromLatin1(kMakerSite) + QStringLiteral("/professional");
}

QVector<TaDialog::AccessibleImage> CCalcAboutDialog::AccessibleImages() const {
    if (logo_.IsNull()) return {};
    return {{&logo_, tr("Logo")}};
}

int CCalcAboutDialog::LayoutContent() {
    if (title_ == nullptr) {
        auto label = [this](int id, const QString& text, TaFace face) {
            auto* label = new TaStatic(id, text, this);
            label->SetFont(&Fonts(), face, 13.0, TaFontStyle::Regular);
            label->SetTextColor(kTextColor);
            return label;
        };
        auto link = [this](int id, const QString& text, const QString& target) {
            auto* link = new TaLink(id, text, target, this);
            link->SetFont(&Fonts(), TaFace::Regular, 13.0, TaFontStyle::Regular);
            link->SetTextColor(kLinkColor);
            link->SetBackgroundColor(kBackground);
            return link;
        };
        title_ = label(IdTitle, tr("Calculator Tarvik F"), TaFace::Semibold);
        edition_ = label(IdEdition, tr("Free version"), TaFace::Regular);
        version_ = label(IdVersion, QString::fromLatin1(kProgramVersion), TaFace::Regular);
        support_ = link(IdSupport, tr("Support"), SupportAddress());
        professional_ = link(IdProfessional, tr("Professional version"), ProfessionalAddress());
        notice_ = label(IdNotice, tr("\u00A9 Tarvik. All rights reserved."), TaFace::Regular);
        perfect_ = new TaButton(IdPerfect, tr("Perfect"), this);
        perfect_->SetFont(&Fonts(), TaFace::Bold, 12.0, TaFontStyle::Bold);
        perfect_->SetTextColor(0xFE404040);
        perfect_->SetFaceColor(0xFFD8D8D8);
        perfect_->SetBackgroundColor(kBackground);
        connect(perfect_, &TaButton::Command, this, &TaDialog::OnCommand);
        // Tab order follows the layout: links, then the button.
        setTabOrder(support_, professional_);
        setTabOrder(professional_, perfect_);
    }

    const QSize titleSize = title_->Measure();
    const int tw = titleSize.width();
    const int th = titleSize.height();
    const int cap = CaptionHeight();

    const int d = (18 * tw) >> 4;  // logo side
    const int b = (27 * th) >> 4;  // top gap
    const int gap = (14 * th) >> 5;
    const int u = gap + th;                        // item spacing
    const int e = ((49 * th) >> 4) + cap + d + 4;  // title top

    const QSize buttonSize = perfect_->Measure();
    const int width = (7 * tw) >> 2;
    const int height = 7 * th + 5 * gap + buttonSize.height() + e + b;
    resize(width, height);
    CenterOnDesktop();

    logo_.Load(TaArt::AboutLogo, d, d, devicePixelRatioF());
    logo_.SetPosition((width - d) / 2, b + cap + 4);

    auto place = [width](TaControl* control, int top) {
        const QSize size = control->Measure();
        control->SetPosition((width - size.width()) / 2, top);
    };
    place(title_, e);
    place(edition_, e + u);
    place(version_, e + 2 * u);
    place(support_, e + 3 * u);
    place(professional_, e + 4 * u);
    place(notice_, e + 5 * u);
    place(perfect_, e + 5 * gap + 6 * th + b);

    SetDefaultControl(perfect_);
    perfect_->setFocus(Qt::OtherFocusReason);
    return 1;
}

bool CCalcAboutDialog::DrawContent(QPainter& painter) {
    logo_.Draw(painter);
    bool ok = true;
    for (TaControl* control :
         {static_cast<TaControl*>(title_), static_cast<TaControl*>(edition_),
          static_cast<TaControl*>(version_), static_cast<TaControl*>(support_),
          static_cast<TaControl*>(professional_), static_cast<TaControl*>(notice_),
          static_cast<TaControl*>(perfect_)}) {
        if (control != nullptr) ok = control->Draw(painter) && ok;
    }
    return ok;
}
