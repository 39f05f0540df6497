#pragma once

#include <array>

class QWidget;

namespace trevalon {

class LaterWindows;
class PropertiesView;
class TFKod;
class TFOpisy;
class TFSlad;
class TFTesty;
class TFWarning;
class TFWinietka;
class TFWykonanie;
class TTablica;

// The windows that float beside the main window. The program creates every one of them right
// after the main window, before it is first shown, and they live as long as it does: once
// attached, none of these is null.
struct MainCompanions {
    std::array<TTablica*, 3> boards{};
    TFOpisy* report = nullptr;
    TFSlad* trace = nullptr;
    TFTesty* tests = nullptr;
    TFKod* code = nullptr;
    TFWykonanie* execution = nullptr;
    TFWinietka* about = nullptr;
    TFWarning* warning = nullptr;
    PropertiesView* properties = nullptr;
    QWidget* propertiesWindow = nullptr;  // the same window, as the window system sees it
    LaterWindows* later = nullptr;
};

}  // namespace trevalon
