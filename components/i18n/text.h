// Marking the program's texts for translation. The Chinese texts are the source texts; a
// catalogue, when one is installed, gives the English text at the moment a text is used.
//
//   inline constexpr korvan::i18n::Text kSaved = KORVAN_TEXT("korvan-cli", "已保存");
//       A named text. Built before any translator exists, so it keeps only its context and
//       source and translates each time it turns into a QString.
//   QString Saved(int n) { return KORVAN_TR("korvan-cli", "第 %1 次").arg(n); }
//       A text inside a function: translated at once.
//
// Both macros must be written out at the call site with literal arguments: lupdate finds
// them by name (scripts/update-translations tells it they stand for QT_TRANSLATE_NOOP and
// QCoreApplication::translate). The context names the module or the kind of text.
#pragma once

#include <QCoreApplication>
#include <QString>

#include <string>
#include <utility>

namespace korvan::i18n {

class Text {
  public:
    constexpr Text(const char* context, const char* source) noexcept
        : m_context(context), m_source(source) {}

    // The text in the language installed now.
    QString toString() const { return QCoreApplication::translate(m_context, m_source); }
    operator QString() const { return toString(); }  // NOLINT: a text is used as a QString

    // The common QString operations, so that a named text reads like the QString it replaces.
    template <typename... Args>
    QString arg(Args&&... args) const {
        return toString().arg(std::forward<Args>(args)...);
    }
    QByteArray toUtf8() const { return toString().toUtf8(); }
    std::string toStdString() const { return toString().toStdString(); }
    bool isEmpty() const { return m_source == nullptr || *m_source == '\0'; }

    const char* context() const { return m_context; }
    // The Chinese text, as written in the program.
    const char* source() const { return m_source; }

  private:
    const char* m_context;
    const char* m_source;
};

inline QString operator+(const Text& a, const QString& b) {
    return a.toString() + b;
}
inline QString operator+(const QString& a, const Text& b) {
    return a + b.toString();
}
inline QString operator+(const Text& a, const Text& b) {
    return a.toString() + b.toString();
}
inline bool operator==(const Text& a, const QString& b) {
    return a.toString() == b;
}

}  // namespace korvan::i18n

#define KORVAN_TEXT(context, source) (::korvan::i18n::Text{context, source})
#define KORVAN_TR(context, source) (QCoreApplication::translate(context, source))
