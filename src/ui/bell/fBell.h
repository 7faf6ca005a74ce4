#pragma once

#include <QDialog>
#include <memory>

#include "ui/bell/BellHandOver.h"
#include "ui/platform/dialogs/FileChooser.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class LoadedForms;

// Chooses how one bell sounds: the built-in beep or a WAV file. The bell comes in and goes
// out through the hand-over pair; only OK writes it.
class fBell : public QDialog {
    Q_OBJECT
public:
    fBell(BellHandOver& handOver, std::unique_ptr<FileChooser> fileChooser, LoadedForms& forms,
          QWidget* parent = nullptr);
    ~fBell() override;

    QGroupBox* cBellFrame;
    QRadioButton* cBell[2];
    QPushButton* cBellRef;
    QLabel* cBellFile;
    QPushButton* cOk;
    QPushButton* cCancel;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Load();
    void cBell_Click(int index);
    void cBellRef_Click();
    void cOk_Click();
    void SetFileControls(int mode);
    QString BrowseWavFile();
    void setFileText(const QString& text);

    BellHandOver& m_handOver;
    std::unique_ptr<FileChooser> CommonDialog1;
    QButtonGroup* m_options;
    QString m_fileText;  // the whole path; the label may show it shortened
};

// The filter of the WAV browse, in the classic description|pattern form.
inline constexpr const char* BellFileFilter =
    "すべてのファイル (*.*)|*.*|WAVファイル (*.wav)|*.wav|";
