#include "launcher/KVRGui.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Pixmap.H>
#include <FL/x.H>
#include <SDL/SDL.h>

// Generated at build time from the production's typeface and colours.
#include "BrinovaBanner.h"

KVRGui::KVRGui(int width, int height, const char* title)
    : Fl_Double_Window((Fl::w() - width) / 2, (Fl::h() - height) / 2, width, height, title) {
  modes = listModes();
  buildWidgets();
  end();
  show();
}

KVRGui::~KVRGui() { delete banner; }

std::string KVRGui::aspectLabel(int width, int height) {
  if (height <= 0) return "";
  double ratio = static_cast<double>(width) / height;
  if (ratio >= 16.0 / 9.0) return "(16:9)";
  if (ratio >= 16.0 / 10.0) return "(16:10)";
  if (ratio >= 4.0 / 3.0) return "(4:3)";
  if (ratio >= 5.0 / 4.0) return "(5:4)";
  return "";
}

std::string KVRGui::entryText(int width, int height) {
  std::string text = std::to_string(width) + " X " + std::to_string(height);
  std::string label = aspectLabel(width, height);
  return label.empty() ? text : text + " " + label;
}

std::vector<KVRGui::Mode> KVRGui::listModes() {
  std::vector<Mode> result;
  if (SDL_WasInit(SDL_INIT_VIDEO) || SDL_Init(SDL_INIT_VIDEO) == 0) {
    SDL_PixelFormat format = {};
    format.BitsPerPixel = 32;
    format.BytesPerPixel = 4;
    SDL_Rect** listed = SDL_ListModes(&format, SDL_FULLSCREEN | SDL_HWSURFACE);
    if (listed && listed != reinterpret_cast<SDL_Rect**>(-1))
      for (int i = 0; listed[i]; ++i) result.push_back({listed[i]->w, listed[i]->h});
  }
  // No list, or any size allowed: the desktop's own size is a mode every screen can show.
  if (result.empty()) result.push_back({Fl::w(), Fl::h()});
  return result;
}

void KVRGui::buildWidgets() {
  Fl_Box* bannerBox = new Fl_Box(0, 0, 450, 100);
  banner = new Fl_Pixmap(brinova_banner_xpm);
  bannerBox->image(banner);
  addResolutionChoice();

  fullscreenBox = new Fl_Check_Button(170, 160, 30, 30, "Fullscreen: ");
  fullscreenBox->align(FL_ALIGN_LEFT);
  fullscreenBox->value(1);
  fullscreenBox->tooltip("Enable to view in fullscreen.");
  fullscreenBox->callback(onFullscreen, this);

  Fl_Check_Button* vsyncBox = new Fl_Check_Button(370, 160, 30, 30, "Vertical sync: ");
  vsyncBox->align(FL_ALIGN_LEFT);
  vsyncBox->value(1);
  vsyncBox->tooltip("Enable to force Wait for Vertical Sync.");
  vsyncBox->callback(onVsync, this);

  Fl_Choice* antialiasingChoice = new Fl_Choice(170, 200, 80, 25, "Antialiasing: ");
  for (const char* entry : {"None", "2x", "4x", "6x", "8x"}) antialiasingChoice->add(entry);
  antialiasingChoice->value(0);
  antialiasingChoice->callback(onAntialiasing, this);
  onAntialiasing(antialiasingChoice, this);

  qualityChoice = new Fl_Choice(320, 200, 80, 25, "Quality: ");
  for (const char* entry : {"Low", "Medium", "High", "Ultra"}) qualityChoice->add(entry);
  qualityChoice->value(2);
  qualityChoice->callback(onQuality, this);
  onQuality(qualityChoice, this);

  Fl_Button* start = new Fl_Button(130, 245, 90, 40, "Start!");
  start->tooltip("Starts the Demo with the chosen resolution and settings.");
  start->callback(onStart, this);
  Fl_Button* exit = new Fl_Button(230, 245, 90, 40, "Exit!");
  exit->tooltip("Exit without watching the Demo.");
  exit->callback(onExit, this);
}

void KVRGui::addResolutionChoice() {
  resolutionChoice = new Fl_Choice(170, 120, 230, 25, "Available resolutions:");
  for (const Mode& mode : modes) {
    // add() would read '/' as a submenu and '&' as a shortcut; the texts carry neither.
    resolutionChoice->add(entryText(mode.width, mode.height).c_str());
  }
  resolutionChoice->value(0);
  resolutionChoice->callback(onResolution, this);
  chosenWidth = modes[0].width;
  chosenHeight = modes[0].height;
}

void KVRGui::presetSize(int width, int height) {
  size_t index = 0;
  while (index < modes.size() && (modes[index].width != width || modes[index].height != height)) ++index;
  if (index == modes.size()) {
    modes.push_back({width, height});
    resolutionChoice->add(entryText(width, height).c_str());
  }
  resolutionChoice->value(static_cast<int>(index));
  onResolution(resolutionChoice, this);
}

void KVRGui::presetFullscreen(bool enabled) {
  fullscreenBox->value(enabled ? 1 : 0);
  onFullscreen(fullscreenBox, this);
}

void KVRGui::presetQuality(int level) {
  qualityChoice->value(level);
  onQuality(qualityChoice, this);
}

void KVRGui::onResolution(Fl_Widget* widget, void* gui) {
  KVRGui* self = static_cast<KVRGui*>(gui);
  int index = static_cast<Fl_Choice*>(widget)->value();
  if (index < 0 || index >= static_cast<int>(self->modes.size())) return;
  self->chosenWidth = self->modes[index].width;
  self->chosenHeight = self->modes[index].height;
}

void KVRGui::onFullscreen(Fl_Widget* widget, void* gui) {
  static_cast<KVRGui*>(gui)->fullscreen = static_cast<Fl_Check_Button*>(widget)->value() != 0;
}

void KVRGui::onVsync(Fl_Widget* widget, void* gui) {
  static_cast<KVRGui*>(gui)->vsync = static_cast<Fl_Check_Button*>(widget)->value() != 0;
}

void KVRGui::onAntialiasing(Fl_Widget* widget, void* gui) {
  static_cast<KVRGui*>(gui)->antialiasing = static_cast<Fl_Choice*>(widget)->value() * 2;
}

void KVRGui::onQuality(Fl_Widget* widget, void* gui) {
  static_cast<KVRGui*>(gui)->quality = static_cast<Fl_Choice*>(widget)->value();
}

void KVRGui::onStart(Fl_Widget*, void* gui) {
  static_cast<KVRGui*>(gui)->quit = false;
  hideAllWindows();
}

void KVRGui::onExit(Fl_Widget*, void* gui) {
  static_cast<KVRGui*>(gui)->quit = true;
  hideAllWindows();
}

void KVRGui::hideAllWindows() {
  while (Fl::first_window()) Fl::first_window()->hide();
  // Fl::run() returns as soon as no window is shown, with the unmapping still in Xlib's queue;
  // the round trip takes the dialog off the screen before the demo opens its own window.
  if (fl_display) XSync(fl_display, False);
}
