#include "ui/about/frmAbout.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "AppInfo.h"
#include "ui/about/AboutTexts.h"
#include "ui/app/AppIcon.h"
#include "ui/platform/FormDesign.h"
#include "ui/platform/LoadedForms.h"
#include "ui/platform/SystemColors.h"

frmAbout::frmAbout(LoadedForms& forms, QWidget* owner) : QDialog(owner) {
    setObjectName("frmAbout");
    SetUpFixedDialog(this, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"), 4530, 1530);

    picIcon = new QLabel(this);
    picIcon->setGeometry(DesignRect(120, 120, 540, 540));
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setAccessibleName(QString::fromUtf8(AppInfo::Title));  // the program's icon
    picIcon->setAutoFillBackground(true);
    QPalette iconPalette = picIcon->palette();
    iconPalette.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    picIcon->setPalette(iconPalette);
    picIcon->setPixmap(AppIcon().pixmap(32, 32));

    auto centred = [this](const QRect& rect) {
        auto* l = new QLabel(this);
        l->setGeometry(rect);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    lblTitle = centred(DesignRect(930, 120, 3405, 240));
    SetForeColor(lblTitle, 0x000000);  // black
    lblVersion = centred(DesignRect(930, 360, 3405, 225));
    lblVersion->setText(QStringLiteral("Version"));
    cOwner = centred(DesignRect(930, 600, 3405, 225));
    cOwner->setText(QString::fromUtf8(CreditText));

    // The etched separator: a grey line with a white one under it.
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(TwipsToPixels(120), TwipsToPixels(960) - 1, TwipsToPixels(4320), 2);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setGeometry(DesignRect(3120, 1080, 1260, 345));
    cmdOK->setDefault(true);  // Enter; Esc closes the box through QDialog as well
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::accept);

    forms.add(this);
    Form_Load();
}

void frmAbout::Form_Load() {
    lblVersion->setText(QString::fromStdString(VersionText(AppInfo::Major, AppInfo::Minor)));
    lblTitle->setText(QString::fromStdString(AboutTitleText(AppInfo::Title)));
}
