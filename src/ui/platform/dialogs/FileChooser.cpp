#include "ui/platform/dialogs/FileChooser.h"

#include <QFileDialog>

QStringList NameFiltersFromPairs(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        if (pattern.isEmpty()) {
            continue;
        }
        // Qt reads the patterns from the parentheses of the description.
        const QString patterns = QString(pattern).replace(';', ' ');
        filters.append(description.endsWith('(' + pattern + ')') ||
                               description.endsWith('(' + patterns + ')')
                           ? description
                           : description + " (" + patterns + ')');
    }
    return filters;
}

QtFileChooser::QtFileChooser() = default;
QtFileChooser::~QtFileChooser() = default;

std::optional<QString> QtFileChooser::chooseOpenFile(QWidget* parent,
                                                     const OpenFileOptions& options) {
    if (!m_dialog) {
        m_dialog = std::make_unique<QFileDialog>(parent);
    }
    QFileDialog& dialog = *m_dialog;
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode((options.flags & OpenFileFlags::FileMustExist) ? QFileDialog::ExistingFile
                                                                      : QFileDialog::AnyFile);
    const QStringList filters = NameFiltersFromPairs(options.filter);
    dialog.setNameFilters(filters);
    if (options.filterIndex >= 1 && options.filterIndex <= filters.size()) {
        dialog.selectNameFilter(filters.at(options.filterIndex - 1));
    }
    if (!m_fileName.isEmpty()) {
        dialog.selectFile(m_fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    m_fileName = dialog.selectedFiles().constFirst();
    return m_fileName;
}
