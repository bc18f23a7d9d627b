// tessaloom-cli render SPRITE OUTPUT.png: the canvas the main window shows, for a
// frame or for a clip of an action file, written as an RGB PNG; with --preview, the
// canvas of Preview Mode (the game's drawing).

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <sstream>

#include "core/actions/tool_act.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "core/convert/converter_png.h"
#include "core/convert/picture_loader.h"
#include "core/render/canvas_drawing.h"
#include "core/render/preview_drawing.h"
#include "core/render/view_settings.h"

namespace tessaloom::cli {
namespace {

constexpr int kMaxCanvasSide = 16384;

struct RenderOptions {
  std::string sprite;
  std::string output;
  int frame = 1;
  std::string act;
  int action = 0;
  int clip = 0;
  int zoom = 3;
  std::string canvas = "640x480";
  bool noTransparency = false;
  std::string background;
  bool preview = false;
};

struct CanvasSize {
  int width = 0;
  int height = 0;
};

std::optional<CanvasSize> ParseCanvasSize(const std::string& text) {
  CanvasSize size;
  char separator = 0;
  std::istringstream in(text);
  if (!(in >> size.width >> separator >> size.height) || (separator != 'x' && separator != 'X') || !in.eof()) {
    return std::nullopt;
  }
  if (size.width < 1 || size.height < 1 || size.width > kMaxCanvasSide || size.height > kMaxCanvasSide) {
    return std::nullopt;
  }
  return size;
}

Status DrawRequested(Image& canvas, const SprDocument& sprite, const RenderOptions& options,
                     const ViewSettings& view) {
  if (options.act.empty()) {
    const int frames = options.preview ? Preview::FrameCount(sprite) : sprite.Header.FrameCount;
    if (options.frame < 1 || options.frame > frames) {
      return Error{.title = "Render error", .text = "The sprite has no frame " + std::to_string(options.frame) + "."};
    }
    if (options.preview) {
      Preview::DrawFrame(canvas, sprite, options.frame, view);
    } else {
      DrawSpriteFrame(canvas, sprite, options.frame, view);
    }
    return {};
  }
  auto act = Tool_Act::ReadActFile(options.act);
  if (!act) return act.error();
  if (options.preview) return Preview::DrawClip(canvas, sprite, &*act, options.action, options.clip, view);
  return Painter::DrawClip(canvas, sprite, &*act, options.action, options.clip, view);
}

int Render(Console& console, const RenderOptions& options) {
  const auto size = ParseCanvasSize(options.canvas);
  if (!size) {
    console.err << "tessaloom-cli: --canvas takes WIDTHxHEIGHT, each 1 to " << kMaxCanvasSide << '\n';
    return kExitUsage;
  }
  auto sprite = LoadSpriteFile(console, options.sprite);
  if (!sprite) return Report(console, sprite.error());
  std::optional<Image> background;
  if (!options.background.empty()) {
    auto picture = Converter_Png::LoadPicture(options.background);
    if (!picture) return Report(console, picture.error());
    background = std::move(*picture);
  }
  ViewSettings view;
  view.ZoomStep = options.zoom;
  view.Transparent = !options.noTransparency;
  view.BackgroundPicture = background ? &*background : nullptr;
  view.ClientWidth = size->width;
  view.ClientHeight = size->height;
  Image canvas(size->width, size->height);
  Status status = DrawRequested(canvas, *sprite, options, view);
  if (status) status = Converter_Png::WriteRgbPng(canvas, options.output);
  return status ? kExitOk : Report(console, status.error());
}

}  // namespace

void AddRenderCommand(CLI::App& app, Console& console, Command& chosen) {
  auto options = std::make_shared<RenderOptions>();
  CLI::App* command = app.add_subcommand("render", "Draw a frame or a clip as the main window shows it, to a PNG");
  command->add_option("SPRITE", options->sprite, "Sprite file")->required();
  command->add_option("OUTPUT", options->output, "PNG file to write")->required();
  CLI::Option* frame = command->add_option("--frame", options->frame, "Frame to draw, 1-based (default 1)");
  CLI::Option* act = command->add_option("--act", options->act, "Action file: draw a clip instead of a frame");
  CLI::Option* action = command->add_option("--action", options->action, "Action, 0-based")->check(CLI::NonNegativeNumber);
  CLI::Option* clip = command->add_option("--clip", options->clip, "Clip of the action, 0-based")->check(CLI::NonNegativeNumber);
  act->needs(action)->needs(clip)->excludes(frame);
  action->needs(act);
  clip->needs(act);
  command
      ->add_option("--zoom", options->zoom,
                   "Zoom step 3..11; the scale is step / 3, or step - 2 with --preview (default 3)")
      ->check(CLI::Range(3, 11));
  command->add_flag("--preview", options->preview, "Draw as the game shows it (Preview Mode)");
  command->add_option("--canvas", options->canvas, "Canvas size WIDTHxHEIGHT (default 640x480)");
  command->add_flag("--no-transparency", options->noTransparency, "Draw palette entry 0's colour too");
  command->add_option("--background", options->background, "Picture drawn unscaled at the top-left (BMP or PNG)");
  WhenChosen(command, console, chosen, options, Render);
}

}  // namespace tessaloom::cli
