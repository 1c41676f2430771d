#pragma once
// The pictures of a workbook: drawn, encoded as the PNG files it stores and
// kept once each, on other threads while the sheets are being filled.

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <deque>
#include <functional>
#include <future>
#include <map>
#include <utility>
#include <vector>

namespace platform::xlsx {

// The PNG files of `images`, in their order, as a workbook stores them (at
// 96 dpi; an image of few colours with a palette of exactly its colours).
// Encoded side by side on up to `threads` threads, 0 for one a core but
// one: the bytes are the same whatever the number. Empty for an image that
// cannot be encoded.
std::vector<QByteArray> encodePictures(const std::vector<QImage>& images, int threads = 0);

// The pictures of a workbook, each kept once. A picture given with a key
// is drawn only when no picture of the same key is kept yet (pictures made
// from equal data look alike). They are encoded in batches, on every core
// but one, when a batch is full or their bytes are first asked for, while
// the sheets go on being filled; a drawing that may be made on another
// thread is made there too.
class PictureStore {
public:
    // The index of the picture kept for `key`, drawn by `draw` when new; -1
    // when the drawing gives nothing.
    int add(const QByteArray& key, const std::function<QImage()>& draw);
    // The same for a drawing of `size` pixels made later, on any thread,
    // beside the others: `draw` owns whatever it draws from. -1 for an
    // empty size.
    int addLater(const QByteArray& key, QSize size, std::function<QImage()> draw);
    // A picture kept for one cell alone; -1 for a null image.
    int add(const QImage& image);
    // The picture's size: as drawn once its bytes were asked for.
    QSize size(int index) const { return m_sizes.at(std::size_t(index)); }
    // The stored bytes of the picture (empty when it could not be drawn or
    // encoded).
    const QByteArray& png(int index);

private:
    int waiting(QSize size, std::function<QImage()> draw);
    // Takes the bytes of the oldest batch being encoded, if any.
    void finishBatch();
    // Sends the waiting pictures off to be encoded while drawing goes on.
    void startBatch();

    std::map<QByteArray, int> m_keys;
    std::vector<QSize> m_sizes;
    std::vector<QByteArray> m_png;
    // Not sent to be encoded yet: the last of m_png.
    std::vector<std::function<QImage()>> m_waiting;
    std::size_t m_encoded = 0; // m_png holds the bytes of this many
    // Batches being encoded, oldest first; their bytes are taken in turn.
    std::deque<std::future<std::vector<std::pair<QSize, QByteArray>>>> m_batches;
};

} // namespace platform::xlsx
