#include "platform/xlsx/pictures.h"

#include "platform/xlsx/sheetunits.h"

#include <QBuffer>
#include <QHash>
#include <QList>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace platform::xlsx {

namespace {

// Pictures are sent to be drawn (when handed over as drawings) and encoded
// this many at a time, while the user's thread goes on: enough to keep
// every core busy, few enough to keep little memory.
constexpr std::size_t kEncodingBatch = 512;

// The image with a palette of exactly its colours when it has no more than
// a palette holds (a drawing of a few pens): it encodes in a third of the
// time and space, and shows the same pixels. Otherwise the image as it is.
QImage withPalette(const QImage& image)
{
    const QImage source = image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_RGB32
                              ? image
                              : image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                              : QImage::Format_RGB32);
    QImage indexed(source.size(), QImage::Format_Indexed8);
    if (indexed.isNull())
        return image;
    QList<QRgb> colours;
    QHash<QRgb, uchar> indexOf;
    QRgb last = 0;
    uchar lastIndex = 0;
    bool any = false;
    const int width = source.width();
    const int height = source.height();
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const QRgb colour = in[x];
            if (!any || colour != last) {
                auto found = indexOf.constFind(colour);
                if (found == indexOf.cend()) {
                    if (colours.size() == 256)
                        return image;
                    found = indexOf.insert(colour, uchar(colours.size()));
                    colours.append(colour);
                }
                last = colour;
                lastIndex = *found;
                any = true;
            }
            out[x] = lastIndex;
        }
    }
    indexed.setColorTable(colours);
    return indexed;
}

QByteArray encodedPng(const QImage& image)
{
    if (image.isNull())
        return {};
    QImage stored = withPalette(image);
    stored.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
    stored.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !stored.save(&buffer, "PNG"))
        return {};
    return png;
}

// The threads pictures are drawn and encoded on: one a core but one, which
// is left to the user's thread that fills the sheets meanwhile. They are
// kept: what a thread keeps of the texts it has drawn makes its next
// drawings quicker. Tasks are handed over under a mutex the thread checkers
// see.
class PictureThreads {
public:
    static int size() { return std::max(QThread::idealThreadCount() - 1, 1); }

    void start(std::function<void()> task)
    {
        const std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
        if (m_idle == 0 && m_threads < size()) {
            ++m_threads;
            std::thread([this] { run(); }).detach();
        }
        m_wake.notify_one();
    }

private:
    void run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            ++m_idle;
            m_wake.wait(lock, [this] { return !m_tasks.empty(); });
            --m_idle;
            std::function<void()> task = std::move(m_tasks.front());
            m_tasks.pop_front();
            lock.unlock();
            task();
            lock.lock();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_tasks;
    int m_idle = 0;
    int m_threads = 0;
};

PictureThreads& pictureThreads()
{
    static PictureThreads* const pool = new PictureThreads;
    return *pool;
}

// Does job(i) for every i below `count` on up to `threads` threads, 0 for
// as many as the pool has. Each job writes its own result only, so the
// order the threads take them in changes nothing.
void forEachOnThreads(std::size_t count, int threads, const std::function<void(std::size_t)>& job)
{
    if (threads <= 0)
        threads = PictureThreads::size();
    threads = int(std::min<std::size_t>(std::size_t(std::max(threads, 1)), count));
    if (threads <= 1) {
        for (std::size_t i = 0; i < count; ++i)
            job(i);
        return;
    }
    // Tasks beyond the pool's threads wait for one and find the work done.
    PictureThreads& pool = pictureThreads();
    // The end is counted under a mutex, not a semaphore: a thread that finds
    // the work done then hands over all it wrote before the caller goes on
    // (and the thread checkers see that it does).
    std::atomic<std::size_t> next{0};
    std::mutex mutex;
    std::condition_variable allDone;
    int finished = 0;
    for (int t = 0; t < threads; ++t) {
        pool.start([&] {
            for (std::size_t i = next++; i < count; i = next++)
                job(i);
            const std::lock_guard lock(mutex);
            ++finished;
            allDone.notify_one();
        });
    }
    std::unique_lock lock(mutex);
    allDone.wait(lock, [&] { return finished == threads; });
}

} // namespace

std::vector<QByteArray> encodePictures(const std::vector<QImage>& images, int threads)
{
    std::vector<QByteArray> encoded(images.size());
    forEachOnThreads(images.size(), threads, [&](std::size_t i) { encoded[i] = encodedPng(images[i]); });
    return encoded;
}

// PictureStore

int PictureStore::add(const QByteArray& key, const std::function<QImage()>& draw)
{
    const auto found = m_keys.find(key);
    if (found != m_keys.end())
        return found->second;
    const int index = add(draw());
    m_keys.emplace(key, index);
    return index;
}

int PictureStore::addLater(const QByteArray& key, QSize size, std::function<QImage()> draw)
{
    const auto found = m_keys.find(key);
    if (found != m_keys.end())
        return found->second;
    if (size.isEmpty())
        return -1;
    const int index = waiting(size, std::move(draw));
    m_keys.emplace(key, index);
    return index;
}

int PictureStore::add(const QImage& image)
{
    if (image.isNull())
        return -1;
    return waiting(image.size(), [image] { return image; });
}

int PictureStore::waiting(QSize size, std::function<QImage()> draw)
{
    m_sizes.push_back(size);
    m_png.emplace_back();
    m_waiting.push_back(std::move(draw));
    if (m_waiting.size() >= kEncodingBatch)
        startBatch();
    return int(m_png.size() - 1);
}

const QByteArray& PictureStore::png(int index)
{
    if (std::size_t(index) >= m_encoded) {
        startBatch();
        while (std::size_t(index) >= m_encoded && !m_batches.empty())
            finishBatch();
    }
    return m_png.at(std::size_t(index));
}

void PictureStore::finishBatch()
{
    if (m_batches.empty())
        return;
    auto made = m_batches.front().get();
    m_batches.pop_front();
    for (auto& [size, bytes] : made) {
        if (!bytes.isEmpty())
            m_sizes[m_encoded] = size;
        m_png[m_encoded++] = std::move(bytes);
    }
}

void PictureStore::startBatch()
{
    // Batches are encoded side by side; their bytes are taken in the order
    // they were sent, so each picture gets its own whatever finishes first.
    if (m_waiting.empty())
        return;
    m_batches.push_back(std::async(std::launch::async, [drawings = std::exchange(m_waiting, {})] {
        std::vector<std::pair<QSize, QByteArray>> made(drawings.size());
        forEachOnThreads(drawings.size(), 0, [&](std::size_t i) {
            const QImage image = drawings[i]();
            made[i] = {image.size(), encodedPng(image)};
        });
        return made;
    }));
}

} // namespace platform::xlsx
