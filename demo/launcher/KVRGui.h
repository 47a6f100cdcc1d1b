#pragma once

#include <FL/Fl_Double_Window.H>

#include <string>
#include <vector>

class Fl_Check_Button;
class Fl_Choice;
class Fl_Pixmap;
class Fl_Widget;

// The launcher dialog: resolution, full screen, vertical sync, antialiasing and quality,
// then "Start!" or "Exit!". It only records the choices; the results stay readable after
// the window is hidden.
class KVRGui : public Fl_Double_Window {
 public:
  struct Mode {
    int width;
    int height;
  };

  KVRGui(int width, int height, const char* title);
  ~KVRGui() override;

  int getWidth() const { return chosenWidth; }
  int getHeight() const { return chosenHeight; }
  int getAntialiasing() const { return antialiasing; }
  int getQuality() const { return quality; }
  bool getFullscreen() const { return fullscreen; }
  bool getVsync() const { return vsync; }
  bool getQuit() const { return quit; }
  const std::vector<Mode>& getModes() const { return modes; }

  // Choices made on the command line, shown as the dialog's selection. A size that SDL does
  // not list is added as the last entry.
  void presetSize(int width, int height);
  void presetFullscreen(bool enabled);
  void presetQuality(int level);

  // "(16:9)", "(16:10)", "(4:3)" or "(5:4)" by the mode's ratio; "" below 5:4.
  static std::string aspectLabel(int width, int height);
  // "1280 X 1024 (5:4)"
  static std::string entryText(int width, int height);
  // SDL's full-screen modes, largest first; the desktop size when SDL lists none or any.
  static std::vector<Mode> listModes();

 private:
  void buildWidgets();
  void addResolutionChoice();
  static void onResolution(Fl_Widget* widget, void* gui);
  static void onFullscreen(Fl_Widget* widget, void* gui);
  static void onVsync(Fl_Widget* widget, void* gui);
  static void onAntialiasing(Fl_Widget* widget, void* gui);
  static void onQuality(Fl_Widget* widget, void* gui);
  static void onStart(Fl_Widget* widget, void* gui);
  static void onExit(Fl_Widget* widget, void* gui);
  static void hideAllWindows();

  std::vector<Mode> modes;
  Fl_Pixmap* banner = nullptr;
  Fl_Choice* resolutionChoice = nullptr;
  Fl_Check_Button* fullscreenBox = nullptr;
  Fl_Choice* qualityChoice = nullptr;
  int chosenWidth = 0;
  int chosenHeight = 0;
  int antialiasing = 0;
  int quality = 2;
  bool fullscreen = true;
  bool vsync = true;
  bool quit = true;
};
