#include "cli/Commands.h"

namespace trevalon::cli {

int evalCommand(const QStringList& /*args*/, CommandIo& io) {
    return notAvailable(QStringLiteral("eval"), io);
}

}  // namespace trevalon::cli
