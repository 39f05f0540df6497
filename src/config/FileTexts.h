#pragma once

// Texts 3100 to 3199: reading and writing the user's files.
namespace trevalon::texts {

// "Plik projektu nie jest zwykłym plikiem, więc nie można go wczytać."
constexpr int NotARegularFile = 3101;
// "Plik jest zbyt duży lub ma zbyt wiele elementów, by mógł być projektem, więc nie został
// wczytany."
constexpr int FileTooLarge = 3102;

}  // namespace trevalon::texts
