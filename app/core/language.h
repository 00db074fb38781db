// Captions from the optional language file Lang.ini: section "Lang", keys are caption numbers.
#pragma once

#include "core/inidocument.h"

#include <QString>

namespace korvan {

// One language file read once, for translating a whole window.
class LangTable {
  public:
    // A missing file gives a table that translates nothing.
    static LangTable load(const QString& langFile);
    bool exists() const { return exists_; }
    // The caption of `id`, or `fallback` when the file has no text for it.
    QString text(int id, const QString& fallback) const;

  private:
    IniDocument doc_;
    bool exists_ = false;
};

// LangTable::load(Lang.ini of this process).text(id, fallback).
QString LangText(int id, const QString& fallback);

}  // namespace korvan
