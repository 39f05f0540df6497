#include "ui/board/BlockClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "model/Board.h"
#include "ui/board/BoardPicture.h"

namespace trevalon::BlockClipboard {

void put(const BlockFragment& fragment) {
    auto* data = new QMimeData;
    data->setData(QLatin1String(BlockFragment::MimeType), fragment.toXml());
    data->setImageData(BoardPicture::render(fragment.asBoard(), FrameMap()));
    QGuiApplication::clipboard()->setMimeData(data);
}

bool holdsBlocks() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasFormat(QLatin1String(BlockFragment::MimeType));
}

std::optional<BlockFragment> take(const TextTable& texts) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasFormat(QLatin1String(BlockFragment::MimeType))) {
        return std::nullopt;
    }
    return BlockFragment::fromXml(data->data(QLatin1String(BlockFragment::MimeType)), texts);
}

}  // namespace trevalon::BlockClipboard
