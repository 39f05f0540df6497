#pragma once

// Texts 3000 to 3099: the desktop program among other windows on a desktop (the window system,
// the file dialogs).
namespace trevalon::texts {

constexpr int ShowBoards = 3001;        // "Pokaż plansze" (Show menu, Ctrl+B)
constexpr int OpenDialogTitle = 3002;   // "Otwórz plik projektu programu Trevalon"
constexpr int SaveDialogTitle = 3003;   // "Zapisz plik projektu Trevalon"
constexpr int ProjectFilter = 3004;     // "Plik projektu (*.skb)"
constexpr int OldProjectFilter = 3005;  // "Plik projektu 2005-2012 (*.sdp)"

}  // namespace trevalon::texts
