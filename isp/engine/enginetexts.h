// Every event index the engine raises and the text that goes with it, in one place.
#pragma once

#include "enginetypes.h"

#include <QString>

namespace zel::events {

// Error indices.
inline constexpr int kErrorPort = 1;
// The device went away mid-job (adapter unplugged, line hung up).
inline constexpr int kErrorPortLost = 2;
inline constexpr int kErrorSeries = 10;
inline constexpr int kErrorUnknownModel = 12;

// Interrupt indices.
inline constexpr int kInterruptSeriesDiffers = 1;
inline constexpr int kInterruptAdoptSeries = 2;

// ViewInfo indices.
inline constexpr int kInfoWaiting = 100;
inline constexpr int kInfoBaud = 101;
inline constexpr int kInfoErase = 102;
inline constexpr int kInfoWrite = 103;
inline constexpr int kInfoOptions = 105;
// Only when the host allowed rates above 115200: the chip's clock cannot make the rate asked
// for, and the line failed at a fast rate so a slower one is tried.
inline constexpr int kInfoRateLimited = 107;
inline constexpr int kInfoRateFallback = 108;
inline constexpr int kInfoDetected = 500;
inline constexpr int kInfoJob = 1000;
inline constexpr int kInfoComplete = 1001;
inline constexpr int kInfoCancelled = 1002;
inline constexpr int kInfoFailed = 1003;

QString portText();
QString portLostText();
QString seriesRefusedText(JobType type);
QString unknownModelText();
QString adoptSeriesText();
QString seriesDiffersText();

QString jobText(JobType type);
QString waitingText();
// model "" means the chip is missing from the database; the model ID is shown instead.
QString detectedText(const QString& model, const QString& modelId);
QString baudText(int64_t baud);
// The clock of `cpu` Hz makes none of the rates from `asked` down to above `usable` within the
// tolerated error.
QString rateLimitedText(int64_t cpu, int64_t asked, int64_t usable);
// No valid answer came at `failed`; the rate change is tried again at `next`.
QString rateFallbackText(int64_t failed, int64_t next);
QString eraseText();
QString writeText();
QString optionsText();
QString completeText(JobType type);
QString failedText(JobType type);
QString cancelledText(JobType type);

}  // namespace zel::events
