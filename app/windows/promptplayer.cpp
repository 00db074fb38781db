#include "windows/promptplayer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QUrl>

#include "core/prompt.h"
#include "windows/shellstate.h"

#ifdef KORVAN_HAVE_MULTIMEDIA
#include <QSoundEffect>
#endif

namespace korvan {

void PlayPrompt(const ProgramConfig& config, const QString& sound, bool waitFlag) {
    const std::optional<PromptSound> prompt = ChoosePrompt(config, sound, waitFlag);
    if (!prompt) return;
#ifdef KORVAN_HAVE_MULTIMEDIA
    // One effect per prompt, gone when it has played (or when the program ends first).
    auto* effect = new QSoundEffect(QCoreApplication::instance());
    effect->setSource(QUrl::fromLocalFile(prompt->File));
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying()) effect->deleteLater();
    });
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
        if (effect->status() == QSoundEffect::Error) effect->deleteLater();
    });
    effect->play();
    if (!prompt->Wait) return;
    QEventLoop loop;
    QObject::connect(effect, &QObject::destroyed, &loop, &QEventLoop::quit);
    // A sound that never starts must not hold the program open.
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
#endif
}

void PlayPrompt(const QString& sound, bool waitFlag) {
    PlayPrompt(Shell().Config.value(), sound, waitFlag);
}

}  // namespace korvan
