#include "ui/options/frmOptions.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/platform/FormDesign.h"
#include "ui/platform/FormKeys.h"
#include "ui/platform/LoadedForms.h"
#include "ui/platform/SystemColors.h"
#include "ui/platform/dialogs/ColorChooser.h"
#include "ui/platform/dialogs/MessageBox.h"

namespace {

template <typename W>
W* place(W* widget, const QRect& rect) {
    widget->setGeometry(rect);
    return widget;
}

QLabel* label(QWidget* parent, const char* text, const QRect& rect) {
    return place(new QLabel(QString::fromUtf8(text), parent), rect);
}

QLabel* borderedLabel(QWidget* parent, const char* text, const QRect& rect) {
    QLabel* l = label(parent, text, rect);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return l;
}

void mirrorText(QLineEdit* edit, const OptionsModel::TextBox& box) {
    if (edit->text() != QString::fromStdString(box.text)) {
        edit->setText(QString::fromStdString(box.text));
    }
    edit->setEnabled(box.enabled);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, ResolveColor(box.background, palette));  // every state
    edit->setPalette(palette);
}

void mirrorCheck(QCheckBox* check, const OptionsModel::Check& state) {
    check->setChecked(state.value != 0);
    check->setEnabled(state.enabled);
}

}  // namespace

frmOptions::frmOptions(const Context& context, QWidget* owner)
    : QDialog(owner), m_context(context), m_model(context.settings, context.handOver) {
    setObjectName("frmOptions");
    SetUpFixedDialog(this, QStringLiteral("ｵﾌﾟｼｮﾝ"), 4395, 5580);

    // Check boxes without a caption read together with the text box and label after them.
    fRondelayFlag = place(new QCheckBox(this), DesignRect(120, 240, 255, 375));
    fRondelayMin = place(new QLineEdit(this), DesignRect(480, 292, 735, 270));
    fRondelayText = label(this, "分おきにベルを鳴らす", DesignRect(1320, 330, 1815, 195));
    fRondelayColor =
        place(new QPushButton(QStringLiteral("色選択..."), this), DesignRect(3240, 240, 975, 255));
    fRondelayColorSample = borderedLabel(this, "サンプル", DesignRect(3240, 480, 1005, 240));

    fRondelayNextFlag = place(new QCheckBox(this), DesignRect(120, 1320, 255, 375));
    fRondelayNextSec = place(new QLineEdit(this), DesignRect(480, 1365, 735, 270));
    fRondelayNextSecTitle = label(this, "秒間休む", DesignRect(1320, 1410, 855, 195));
    fRondelayNextColor =
        place(new QPushButton(QStringLiteral("色選択..."), this), DesignRect(2280, 1320, 975, 255));
    fRondelayNextColorSample = borderedLabel(this, "サンプル", DesignRect(2280, 1560, 1005, 240));

    fRondelayClearFlag =
        place(new QCheckBox(QStringLiteral("１ラウンド毎にタイマーをクリアする"), this),
              DesignRect(120, 2520, 3135, 375));
    fTimerFinFlag = place(new QCheckBox(QStringLiteral("一定時間後にタイマーを停止する"), this),
                          DesignRect(120, 3240, 2895, 255));
    fTimerFinHour = place(new QLineEdit(this), DesignRect(480, 3585, 615, 270));
    fTimerFinHourTitle = label(this, "時間", DesignRect(1200, 3600, 375, 255));
    fTimerFinMin = place(new QLineEdit(this), DesignRect(1560, 3585, 615, 270));
    fTimerFinMinTitle = label(this, "分後", DesignRect(2280, 3600, 495, 255));
    fTimerFinRound = place(new QLineEdit(this), DesignRect(480, 3960, 615, 270));
    fTimerFinRoundTitle = label(this, "ラウンド", DesignRect(1200, 3960, 855, 255));

    const int bellTops[BellSlotCount] = {720, 1920, 4320};
    for (int slot = 0; slot < BellSlotCount; ++slot) {
        const auto i = static_cast<std::size_t>(slot);
        cBellTitle[i] = label(this, "ベル：", DesignRect(480, bellTops[i], 495, 255));
        cBellMode[i] = borderedLabel(this, "Label1", DesignRect(960, bellTops[i], 1335, 255));
        cBellRef[i] = place(new QPushButton(QStringLiteral("変更..."), this),
                            DesignRect(2400, bellTops[i], 855, 255));
        connect(cBellRef[i], &QPushButton::clicked, this, [this, slot] { cBellRef_Click(slot); });
    }
    cmdOK = place(new QPushButton(QStringLiteral("OK"), this), DesignRect(1890, 5055, 1095, 375));
    cmdCancel =
        place(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this), DesignRect(3120, 5055, 1095, 375));

    // Screen readers name each field by the label beside it; a caption-less check box reads
    // with the label of its line, and the three alike bell rows by the line they stand under.
    const auto nameBy = [](QWidget* field, QLabel* label) {
        field->setAccessibleName(label->text());
    };
    nameBy(fRondelayFlag, fRondelayText);
    nameBy(fRondelayMin, fRondelayText);
    nameBy(fRondelayNextFlag, fRondelayNextSecTitle);
    nameBy(fRondelayNextSec, fRondelayNextSecTitle);
    nameBy(fTimerFinHour, fTimerFinHourTitle);
    nameBy(fTimerFinMin, fTimerFinMinTitle);
    nameBy(fTimerFinRound, fTimerFinRoundTitle);
    const QString bellPlaces[BellSlotCount] = {fRondelayText->text(), fRondelayNextSecTitle->text(),
                                               fTimerFinFlag->text()};
    for (std::size_t i = 0; i < BellSlotCount; ++i) {
        const QString row = cBellTitle[i]->text() + bellPlaces[i];
        cBellRef[i]->setAccessibleName(row + QLatin1Char(' ') + cBellRef[i]->text());
        cBellMode[i]->setAccessibleDescription(row);
    }
    fRondelayColor->setAccessibleDescription(fRondelayText->text());
    fRondelayNextColor->setAccessibleDescription(fRondelayNextSecTitle->text());

    for (QLabel* sample : {fRondelayColorSample, fRondelayNextColorSample}) {
        sample->setFont(DesignFont(9, true));
        sample->setAlignment(Qt::AlignCenter);
    }

    // Tab order as designed: OK first, so it holds the focus on opening.
    const QList<QWidget*> tabOrder = {cmdOK,          cmdCancel,          fRondelayMin,
                                      fRondelayFlag,  fTimerFinFlag,      fTimerFinHour,
                                      fTimerFinMin,   fRondelayNextFlag,  fRondelayNextSec,
                                      fRondelayColor, fRondelayNextColor, fRondelayClearFlag,
                                      fTimerFinRound, cBellRef[0],        cBellRef[1],
                                      cBellRef[2]};
    for (qsizetype i = 0; i + 1 < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i], tabOrder[i + 1]);
    }
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
    }

    auto onClick = [this](QCheckBox* box, void (OptionsModel::*handler)(std::int16_t)) {
        connect(box, &QCheckBox::clicked, this, [this, handler](bool checked) {
            (m_model.*handler)(checked ? 1 : 0);
            mirror();
        });
    };
    onClick(fRondelayFlag, &OptionsModel::fRondelayFlag_Click);
    onClick(fRondelayNextFlag, &OptionsModel::fRondelayNextFlag_Click);
    onClick(fRondelayClearFlag, &OptionsModel::fRondelayClearFlag_Click);
    onClick(fTimerFinFlag, &OptionsModel::fTimerFinFlag_Click);

    auto onEdit = [this](QLineEdit* edit, OptionsModel::TextBox& box) {
        connect(edit, &QLineEdit::textEdited, this,
                [&box](const QString& text) { box.text = text.toStdString(); });
    };
    onEdit(fRondelayMin, m_model.fRondelayMin);
    onEdit(fRondelayNextSec, m_model.fRondelayNextSec);
    onEdit(fTimerFinHour, m_model.fTimerFinHour);
    onEdit(fTimerFinMin, m_model.fTimerFinMin);
    onEdit(fTimerFinRound, m_model.fTimerFinRound);

    connect(fRondelayColor, &QPushButton::clicked, this, [this] {
        m_model.ColorChosen(m_context.colorChooser.chooseColor(this, m_context.settings.Color));
        mirror();
    });
    connect(fRondelayNextColor, &QPushButton::clicked, this, [this] {
        m_model.RestColorChosen(
            m_context.colorChooser.chooseColor(this, m_context.settings.RestColor));
        mirror();
    });
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::reject);

    m_context.forms.add(this);
    Form_Load();
}

void frmOptions::Form_Load() {
    m_model.Form_Load();
    mirror();
    cmdOK->setFocus();
}

void frmOptions::mirror() {
    const OptionsModel& m = m_model;
    mirrorCheck(fRondelayFlag, m.fRondelayFlag);
    mirrorCheck(fRondelayNextFlag, m.fRondelayNextFlag);
    mirrorCheck(fRondelayClearFlag, m.fRondelayClearFlag);
    mirrorCheck(fTimerFinFlag, m.fTimerFinFlag);
    mirrorText(fRondelayMin, m.fRondelayMin);
    mirrorText(fRondelayNextSec, m.fRondelayNextSec);
    mirrorText(fTimerFinHour, m.fTimerFinHour);
    mirrorText(fTimerFinMin, m.fTimerFinMin);
    mirrorText(fTimerFinRound, m.fTimerFinRound);
    fRondelayText->setEnabled(m.fRondelayText.enabled);
    fRondelayColor->setEnabled(m.fRondelayColor.enabled);
    fRondelayNextSecTitle->setEnabled(m.fRondelayNextSecTitle.enabled);
    fRondelayNextColor->setEnabled(m.fRondelayNextColor.enabled);
    fTimerFinHourTitle->setEnabled(m.fTimerFinHourTitle.enabled);
    fTimerFinMinTitle->setEnabled(m.fTimerFinMinTitle.enabled);
    fTimerFinRoundTitle->setEnabled(m.fTimerFinRoundTitle.enabled);
    SetForeColor(fRondelayColorSample, m.fRondelayColorSample);
    SetForeColor(fRondelayNextColorSample, m.fRondelayNextColorSample);
    for (std::size_t i = 0; i < BellSlotCount; ++i) {
        cBellTitle[i]->setEnabled(m.cBellTitle[i].enabled);
        cBellRef[i]->setEnabled(m.cBellRef[i].enabled);
        cBellMode[i]->setText(QString::fromStdString(m.cBellMode[i].caption));
        SetForeColor(cBellMode[i], m.cBellMode[i].foreColor);
    }
}

void frmOptions::cBellRef_Click(int slot) {
    m_model.cBellRef_Click(slot, m_context.chooseBell);
    mirror();
}

void frmOptions::cmdOK_Click() {
    if (const auto message = m_model.cmdOK_Click()) {
        m_context.messageBox.show(this, QString::fromStdString(*message));
        return;
    }
    accept();
}

void frmOptions::keyPressEvent(QKeyEvent* event) {
    // Esc presses Cancel (QDialog's own handling); Enter only a focused button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        ClickFocusedButton(this);
        return;
    }
    QDialog::keyPressEvent(event);
}
