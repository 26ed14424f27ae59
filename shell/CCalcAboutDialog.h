// The about box: logo, title, edition, version, two links to the maker's
// site, the notice line and the "Perfect" button, drawn by the toolkit.
#pragma once

#include "toolkit/TaDialog.h"
#include "toolkit/TaImage.h"

class TaButton;
class TaLink;
class TaStatic;

// The maker's web site; the links open <site>/support and <site>/professional.
inline constexpr char kMakerSite[] = "https://tarvik.example";
// The program version the about box shows.
inline constexpr char kProgramVersion[] = "01.02.004";

class CCalcAboutDialog : public TaDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 100;
    enum ControlId {
        IdTitle = 1124,
        IdEdition = 1125,
        IdVersion = 1126,
        IdSupport = 1127,
        IdProfessional = 1128,
        IdNotice = 1129,
        IdPerfect = 1,
    };

    CCalcAboutDialog(const TaFonts& fonts, QWidget* parent = nullptr);

    static QString SupportAddress();
    static QString ProfessionalAddress();

    // Valid after initialisation.
    TaStatic* Title() const { return title_; }
    TaStatic* Edition() const { return edition_; }
    TaStatic* Version() const { return version_; }
    TaLink* Support() const { return support_; }
    TaLink* Professional() const { return professional_; }
    TaStatic* Notice() const { return notice_; }
    TaButton* PerfectButton() const { return perfect_; }
    const TaImage& Logo() const { return logo_; }

    QVector<AccessibleImage> AccessibleImages() const override;

protected:
    int LayoutContent() override;
    bool DrawContent(QPainter& painter) override;

private:
    TaImage logo_;
    TaStatic* title_ = nullptr;
    TaStatic* edition_ = nullptr;
    TaStatic* version_ = nullptr;
    TaLink* support_ = nullptr;
    TaLink* professional_ = nullptr;
    TaStatic* notice_ = nullptr;
    TaButton* perfect_ = nullptr;
};
