// Captions from Lang.ini: a window's "Tag" property holds its base number, each control's "Tag"
// a number relative to it; the texts replace the designed captions where the file has them.
#pragma once

class QWidget;

namespace korvan {

class LangTable;

void ApplyLanguage(QWidget* window, const LangTable& table);
// With the language file of this process.
void ApplyLanguage(QWidget* window);

}  // namespace korvan
