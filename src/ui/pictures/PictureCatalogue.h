#pragma once

#include <QString>
#include <span>

namespace trevalon {

// One named picture of the interface: its resource name, its size in pixels, the name of its
// English variant when it carries words (nullptr otherwise), and what it shows.
struct PictureInfo {
    const char* name;
    int width;
    int height;
    const char* english;
    const char* about;
};

// States of a toolbar picture button (`TJetButton`): its normal face, the face under the
// mouse, and the face of the block button that is chosen for placing.
enum class JetState { Up, Over, Chosen };

// The list of every picture the interface is drawn from. The picture maker renders exactly
// these, and PictureStore answers for exactly these names.
class PictureCatalogue {
public:
    static std::span<const PictureInfo> all();
    // nullptr for a name that is not a picture of the interface (names are compared exactly).
    static const PictureInfo* find(const QString& name);

    // The name to load for the interface language: the English variant where the picture
    // carries words and the interface is English, otherwise the name itself.
    static QString localName(const QString& name, bool english);

    // The toolbar's command buttons, numbered after the block kinds.
    static constexpr int JetCancel = 51;
    static constexpr int JetNextStep = 52;
    static constexpr int JetRun = 53;

    // Every toolbar button's tag: the block kinds, then the cancel, next-step and run buttons.
    static std::span<const int> jetTags();
    // Toolbar button faces by tag ("jet11", "jet11over", "jet11wyb"); empty for a tag without
    // a button.
    static QString jetButton(int tag, JetState state);

    // Size of one block tile in a group strip; tile k starts TileSize * (k - 1) from the left.
    static constexpr int TileSize = 40;
};

}  // namespace trevalon
