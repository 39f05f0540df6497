#include "cli/Commands.h"

namespace trevalon::cli {

int renderCommand(const QStringList& /*args*/, CommandIo& io) {
    return notAvailable(QStringLiteral("render"), io);
}

}  // namespace trevalon::cli
