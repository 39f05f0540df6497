#include "cli/Commands.h"

namespace trevalon::cli {

int describeCommand(const QStringList& /*args*/, CommandIo& io) {
    return notAvailable(QStringLiteral("describe"), io);
}

}  // namespace trevalon::cli
