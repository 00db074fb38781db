#include "cdialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QUrl>
#include <cmath>

#include "dialogfilter.h"

namespace kui {

cDialog::cDialog() = default;

cDialog& cDialog::instance() {
    static cDialog dialog;
    return dialog;
}

QWidget* cDialog::owner() const {
    return Owner ? Owner.data() : QApplication::activeWindow();
}

bool cDialog::run(QDialog& dialog) {
    if (m_hook) m_hook(&dialog);
    return dialog.exec() == QDialog::Accepted;
}

bool cDialog::runFileDialog(bool save) {
    QFileDialog dialog(owner(), DialogTitle, InitDir);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The read-only box is never offered and an existing file is never replaced unasked,
    // whatever else the flags hold.
    const int flags = Flags | OfnOverwritePrompt | OfnHideReadOnly;
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(flags & OfnOverwritePrompt));
    QString ext = DefaultExt;
    while (ext.startsWith(QLatin1Char('.'))) ext.remove(0, 1);
    if (!ext.isEmpty()) dialog.setDefaultSuffix(ext);
    const QStringList names = toNameFilters(parseFilter(Filter));
    if (!names.isEmpty()) {
        dialog.setNameFilters(names);
        const int index = FilterIndex >= 1 && FilterIndex <= names.size() ? FilterIndex : 1;
        dialog.selectNameFilter(names[index - 1]);
    }
    if (!Filename.isEmpty()) dialog.selectFile(Filename);
    if (!run(dialog)) return false;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty()) return false;
    Filename = files.first();
    FileTitle = QFileInfo(Filename).fileName();
    // The dialog reports the filter as shown, without its pattern part.
    const QString chosen = dialog.selectedNameFilter();
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names[i] == chosen || names[i].startsWith(chosen + QStringLiteral(" ("))) {
            FilterIndex = int(i) + 1;
            break;
        }
    return true;
}

bool cDialog::ShowOpen() {
    return runFileDialog(false);
}

bool cDialog::ShowSave() {
    return runFileDialog(true);
}

bool cDialog::ShowColor() {
    for (int i = 0; i < 16; ++i) QColorDialog::setCustomColor(i, QColor(255, 255, 255));
    QColorDialog dialog(toQColor(rgbResult), owner());
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (!DialogTitle.isEmpty()) dialog.setWindowTitle(DialogTitle);
    if (!run(dialog)) return false;
    const QColor chosen = dialog.selectedColor();
    if (!chosen.isValid()) return false;
    rgbResult = fromQColor(chosen);
    return true;
}

bool cDialog::ShowFont() {
    QFont font;
    if (!FontName.isEmpty()) font.setFamily(FontName);
    if (FontSize > 0) font.setPointSizeF(FontSize);
    font.setBold(Bold);
    font.setItalic(Italic);
    font.setUnderline(Underline);
    font.setStrikeOut(StrikeThru);
    QFontDialog dialog(font, owner());
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (!DialogTitle.isEmpty()) dialog.setWindowTitle(DialogTitle);
    if (!run(dialog)) return false;
    const QFont chosen = dialog.selectedFont();
    FontName = chosen.family().left(79);
    // Sizes come back in tenths of a point.
    if (chosen.pointSizeF() > 0) FontSize = std::round(chosen.pointSizeF() * 10) / 10;
    Bold = chosen.weight() >= QFont::Bold;
    Italic = chosen.italic();
    Underline = chosen.underline();
    StrikeThru = chosen.strikeOut();
    return true;
}

bool cDialog::ShowHelp() {
    if (HelpFile.isEmpty() || !QFileInfo::exists(HelpFile)) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(HelpFile).absoluteFilePath()));
}

}  // namespace kui
