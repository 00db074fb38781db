#include "views/seriesoptions.h"

#include "core/codefile.h"
#include "core/codeworkspace.h"
#include "core/inifile.h"
#include "core/taskfile.h"
#include "core/usersettings.h"
#include "zelisp_interface.h"

#include <QFile>

namespace korvan {

SeriesOptions::SeriesOptions(zelisp::IZelIsp& control, const CodeWorkspace& workspace)
    : m_control(control), m_workspace(workspace) {}

QStringList SeriesOptions::SeriesNames() const {
    QStringList names;
    const int16_t count = m_control.ListCount();
    for (int16_t i = 0; i < count; ++i) {
        int16_t index = i;
        names << m_control.List(index);
    }
    return names;
}

int SeriesOptions::Current() const {
    return m_control.ListIndex();
}

QString SeriesOptions::CurrentValues() const {
    QStringList values;
    const int16_t count = m_control.OptCount();
    for (int16_t i = 0; i < count; ++i) values << QString::number(m_control.OptValue(i));
    return values.join(QLatin1Char(','));
}

void SeriesOptions::ApplyValues(const QString& values) {
    const auto fitted = FitOptionValues(values, m_control.OptCount());
    for (size_t i = 0; i < fitted.size(); ++i)
        if (fitted[i]) m_control.setOptValue(int16_t(i), *fitted[i]);
}

bool SeriesOptions::SaveOptions(const QString& file) {
    if (m_control.OptCount() <= 0 || m_workspace.taskMode()) return false;
    const QString target = file.isEmpty() ? m_workspace.settingsFile() : file;
    if (target.isEmpty()) return false;
    return WriteIni(QStringLiteral("Option"), QString::number(m_control.ListIndex()),
                    CurrentValues(), target);
}

void SeriesOptions::LoadOptions(const QString& file) {
    if (m_control.OptCount() <= 0) return;
    ApplyValues(readStored(file.isEmpty() ? m_workspace.settingsFile() : file));
}

QString SeriesOptions::readStored(const QString& file) const {
    if (file.isEmpty()) return {};
    if (FileTypeOf(file) != CodeFileType::Mcp)
        return ReadIni(QStringLiteral("Option"), QString::number(m_control.ListIndex()), file, {});
    // A task is packed: its settings are read from a scratch copy that goes at once.
    auto unpacked = UnpackTask(file, m_workspace.paths().TempPath);
    if (!unpacked) return {};
    QFile::remove(unpacked->TempFile);
    return ReadOptionValues(unpacked->Task.Settings, m_control.ListIndex());
}

int SeriesOptions::SelectSeries(int index) {
    if (index < 0 || index >= m_control.ListCount()) return m_control.ListIndex();
    if (m_control.ListIndex() != index) {
        SaveOptions();
        m_control.setListIndex(int16_t(index));
        LoadOptions();
    }
    return m_control.ListIndex();
}

int SeriesOptions::SelectStoredSeries(int index, const QString& file) {
    if (index >= 0 && index < m_control.ListCount() && m_control.ListIndex() != index)
        m_control.setListIndex(int16_t(index));
    LoadOptions(file);
    return m_control.ListIndex();
}

}  // namespace korvan
