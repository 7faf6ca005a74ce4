#include "ui/bell/fBell.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "ui/platform/FormDesign.h"
#include "ui/platform/FormKeys.h"
#include "ui/platform/LoadedForms.h"
#include "ui/platform/SystemColors.h"

fBell::fBell(BellHandOver& handOver, std::unique_ptr<FileChooser> fileChooser, LoadedForms& forms,
             QWidget* parent)
    : QDialog(parent), m_handOver(handOver), CommonDialog1(std::move(fileChooser)) {
    setObjectName("fBell");
    SetUpFixedDialog(this, QStringLiteral("ベル選択"), 4215, 2295);

    cBellFrame = new QGroupBox(this);
    cBellFrame->setGeometry(DesignRect(120, 120, 3975, 1335));
    m_options = new QButtonGroup(this);
    const char* const captions[2] = {"内蔵ビープ", "WAVファイル"};
    const QRect places[2] = {DesignRect(120, 240, 1815, 180), DesignRect(120, 600, 1815, 180)};
    for (int i = 0; i < 2; ++i) {
        cBell[i] = new QRadioButton(QString::fromUtf8(captions[i]), cBellFrame);
        // Taller than the design's 12 px, so the caption is not cut.
        cBell[i]->setGeometry(places[i].adjusted(0, -3, 0, 3));
        m_options->addButton(cBell[i], i);
    }
    cBellRef = new QPushButton(QStringLiteral("参照"), cBellFrame);
    cBellRef->setGeometry(DesignRect(3000, 840, 855, 255));
    cBellFile = new QLabel(cBellFrame);
    cBellFile->setGeometry(DesignRect(360, 840, 2535, 255));
    cBellFile->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    cOk = new QPushButton(QStringLiteral("実行"), this);
    cOk->setGeometry(DesignRect(2880, 1800, 1215, 375));
    cCancel = new QPushButton(QStringLiteral("中止"), this);
    cCancel->setGeometry(DesignRect(1560, 1800, 1215, 375));

    // No default and no cancel button: Enter acts only on a focused button, Esc on nothing.
    for (QPushButton* b : {cBellRef, cOk, cCancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    setTabOrder(cBell[0], cBell[1]);
    setTabOrder(cBell[1], cBellRef);
    setTabOrder(cBellRef, cOk);
    setTabOrder(cOk, cCancel);

    connect(m_options, &QButtonGroup::idClicked, this, &fBell::cBell_Click);
    connect(cBellRef, &QPushButton::clicked, this, &fBell::cBellRef_Click);
    connect(cOk, &QPushButton::clicked, this, &fBell::cOk_Click);
    connect(cCancel, &QPushButton::clicked, this, &fBell::reject);

    forms.add(this);
    Form_Load();
}

fBell::~fBell() = default;

void fBell::Form_Load() {
    // Any non-zero flag means a WAV file elsewhere in the program, so it opens as WAV here.
    const int mode = m_handOver.EditBellFlag != 0 ? 1 : 0;
    cBell[mode]->setChecked(true);
    setFileText(QString::fromStdString(m_handOver.EditBellFile));
    SetFileControls(mode);
}

void fBell::SetFileControls(int mode) {
    cBellRef->setEnabled(mode != 0);
    SetForeColor(cBellFile, mode == 1 ? SystemColor::WindowText : SystemColor::GrayText);
}

void fBell::cBell_Click(int index) {
    SetFileControls(index == 1 ? 1 : 0);
}

QString fBell::BrowseWavFile() {
    using namespace OpenFileFlags;
    const auto name =
        CommonDialog1->chooseOpenFile(this, {FileMustExist, QString::fromUtf8(BellFileFilter), 2});
    return name.value_or(QString());
}

void fBell::cBellRef_Click() {
    const QString name = BrowseWavFile();
    if (!name.isEmpty()) {
        setFileText(name);
    }
}

void fBell::cOk_Click() {
    if (cBell[0]->isChecked()) {
        m_handOver.EditBellFlag = 0;  // the file passed in stays
    } else {
        m_handOver.EditBellFlag = 1;
        m_handOver.EditBellFile = m_fileText.toStdString();
    }
    accept();
}

void fBell::setFileText(const QString& text) {
    m_fileText = text;
    // A long path is shortened in the middle, so its file name stays readable.
    const int room = cBellFile->contentsRect().width() - 4;
    cBellFile->setText(cBellFile->fontMetrics().elidedText(text, Qt::ElideMiddle, room));
    cBellFile->setToolTip(text);
}

void fBell::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    setFileText(m_fileText);
}

void fBell::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            ClickFocusedButton(this);
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}
