#include "fakes/FakeMediaEngine.h"

#include <utility>

#include <QFileInfo>

bool FakeMediaEngine::create()
{
    release();
    ++m_createCount;
    m_created = !m_createFails;
    return m_created;
}

void FakeMediaEngine::release()
{
    if (m_created)
        ++m_releaseCount;
    m_created = false;
    m_loaded = false;
    m_textTrack = -1;
    m_state = State::Stopped;
    m_rate = 1.0;
    m_owner = nullptr;
}

void FakeMediaEngine::setPresetFilters(const Preset &videoFilter, const Preset &audioFilter,
                                       const QString &audioOutput)
{
    m_presets = {videoFilter.element, audioFilter.element, audioOutput};
    m_presetProperties = {videoFilter.properties, audioFilter.properties};
}

MediaEngine::RenderResult FakeMediaEngine::render(const QString &path)
{
    if (!m_created)
        return RenderResult::Failed;
    m_renderedPath = path;
    m_dropped = std::exchange(m_nextDropped, {});
    // Like the real engine: a file that is not there never loads, whatever was scripted.
    if (!QFileInfo(path).isFile() || m_renderResult == RenderResult::Failed)
        return RenderResult::Failed;
    m_loaded = true;
    m_position = 0;
    m_state = State::Paused;
    return m_renderResult;
}

QList<MediaEngine::FilterProperty> FakeMediaEngine::filterProperties(const QString &filterName) const
{
    return m_created ? m_properties.value(filterName) : QList<FilterProperty>();
}

bool FakeMediaEngine::setFilterProperty(const QString &filterName, const QString &property,
                                        const QVariant &value)
{
    if (!m_created || !m_properties.contains(filterName))
        return false;
    for (FilterProperty &p : m_properties[filterName]) {
        if (p.name == property) {
            if (!p.writable)
                return false;
            p.value = value;
            return true;
        }
    }
    return false;
}

void FakeMediaEngine::play()
{
    ++m_playCount;
    if (m_loaded)
        m_state = State::Playing;
}

void FakeMediaEngine::pause()
{
    ++m_pauseCount;
    if (m_loaded)
        m_state = State::Paused;
}

void FakeMediaEngine::stop()
{
    ++m_stopCount;
    if (m_loaded)
        m_state = State::Stopped;
}

void FakeMediaEngine::seek(qint64 position)
{
    m_seeks << position;
    if (m_loaded)
        m_position = qBound<qint64>(0, position, m_duration);
}

bool FakeMediaEngine::frameStep(int frames)
{
    if (!m_frameStepSupported || !hasPicture() || frames <= 0)
        return false;
    m_frameSteps << frames;
    m_state = State::Paused;
    if (m_durationFrames > 0)
        m_position = qMin(m_duration, m_position + frames * m_duration / m_durationFrames);
    return true;
}

int FakeMediaEngine::framesDrawn() const
{
    return hasPicture() ? m_framesDrawn : -1;
}

QImage FakeMediaEngine::grabFrame() const
{
    if (!hasPicture() || m_grabFails)
        return {};
    if (!m_frame.isNull())
        return m_frame;
    QImage image(m_videoSize, QImage::Format_RGB888);
    image.fill(Qt::darkBlue);
    return image;
}
