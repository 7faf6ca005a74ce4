#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

// What the open-file chooser is asked for, in the classic form: a filter of description and
// pattern pairs separated by "|", and the 1-based index of the preselected pair.
struct OpenFileOptions {
    int flags = 0;
    QString filter;
    int filterIndex = 1;
};

namespace OpenFileFlags {
inline constexpr int FileMustExist = 0x001000;
}  // namespace OpenFileFlags

// Lets the user pick one existing file; no value when cancelled. One chooser keeps the last
// chosen name, so a second browse starts from it.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual std::optional<QString> chooseOpenFile(QWidget* parent,
                                                  const OpenFileOptions& options) = 0;
};

// "All (*.*)|*.*|WAV (*.wav)|*.wav|" as the name filters Qt takes.
QStringList NameFiltersFromPairs(const QString& filter);

class QtFileChooser : public FileChooser {
public:
    QtFileChooser();
    ~QtFileChooser() override;
    std::optional<QString> chooseOpenFile(QWidget* parent, const OpenFileOptions& options) override;

private:
    std::unique_ptr<QFileDialog> m_dialog;
    QString m_fileName;
};
