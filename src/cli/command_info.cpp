// tessaloom-cli info FILE [--json]: what a sprite or an action file holds, told
// apart by the file's first two bytes.

#include <CLI/CLI.hpp>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "core/actions/tool_act.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "core/common/file_io.h"
#include "core/common/text_encoding.h"
#include "core/sprite/spr_reader.h"

namespace tessaloom::cli {
namespace {

using Json = nlohmann::ordered_json;

struct InfoOptions {
  std::string file;
  bool json = false;
};

Json SpriteJson(const SprDocument& sprite) {
  Json frames = Json::array();
  for (const SprFrame& frame : sprite.Frames) {
    frames.push_back({{"Width", frame.Width},
                      {"Height", frame.Height},
                      {"DataSize", frame.DataSize},
                      {"PixelsLength", frame.Pixels.size()}});
  }
  Json rgbaFrames = Json::array();
  for (const SprRgbaFrame& frame : sprite.RgbaFrames) {
    rgbaFrames.push_back({{"Width", frame.Width}, {"Height", frame.Height}});
  }
  return {{"Compressed", sprite.Header.Compressed},
          {"FrameCount", sprite.Header.FrameCount},
          {"PaletteLength", sprite.Header.Palette.size()},
          {"Frames", frames},
          {"RgbaFrameCount", sprite.RgbaFrames.size()},
          {"RgbaFrames", rgbaFrames}};
}

Json LayerJson(const ActLayer& layer) {
  return {{"SpriteIndex", layer.SpriteIndex}, {"Direction", layer.Direction}, {"Red", layer.Red},
          {"Green", layer.Green},             {"Blue", layer.Blue},           {"Alpha", layer.Alpha},
          {"PosX", layer.PosX},               {"PosY", layer.PosY},           {"ScaleX", layer.ScaleX},
          {"ScaleY", layer.ScaleY},           {"SizeX", layer.SizeX},         {"SizeY", layer.SizeY},
          {"Rotation", layer.Rotation},       {"SpriteType", layer.SpriteType}};
}

Json ClipJson(const ActClip& clip) {
  Json layers = Json::array();
  for (const ActLayer& layer : clip.Layers) layers.push_back(LayerJson(layer));
  return {{"LayerCount", clip.LayerCount},     {"Layers", layers},
          {"ExtraCount", clip.Extra.ExtraCount}, {"ExtraX", clip.Extra.ExtraX},
          {"ExtraY", clip.Extra.ExtraY},         {"EventIndex", clip.Extra.EventIndex}};
}

// Event names are CP949 bytes in the file; the description shows them as text.
std::vector<std::string> EventNames(const ActData& act) {
  std::vector<std::string> names;
  names.reserve(act.Events.size());
  for (const std::string& event : act.Events) names.push_back(Cp949ToUtf8(event));
  return names;
}

// Every string is UTF-8 by now; replacing what is not keeps a missed one from
// aborting the output.
std::string JsonText(const Json& json) {
  return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json ActJson(const ActData& act) {
  Json actions = Json::array();
  for (const ActAction& action : act.Actions) {
    Json clips = Json::array();
    for (const ActClip& clip : action.Clips) clips.push_back(ClipJson(clip));
    actions.push_back({{"ClipCount", action.ClipCount}, {"Clips", clips}});
  }
  return {{"Version", act.Version}, {"ActionCount", act.ActionCount}, {"Actions", actions},
          {"Events", EventNames(act)},   {"Intervals", act.Intervals}};
}

void PrintSpriteSummary(std::ostream& out, const std::string& name, const SprDocument& sprite) {
  out << name << ": sprite, " << (sprite.Header.Compressed ? "run-length coded" : "raw") << " frames, "
      << sprite.Header.FrameCount << " frame(s)";
  if (!sprite.RgbaFrames.empty()) out << " and " << sprite.RgbaFrames.size() << " 32-bit colour frame(s)";
  out << ", palette of " << sprite.Header.Palette.size() / 4 << " colours\n";
  std::size_t number = 0;
  for (const SprFrame& frame : sprite.Frames) {
    out << "  frame " << ++number << ": " << frame.Width << " x " << frame.Height << '\n';
  }
  // Numbered on from the indexed frames, as `export --frame` takes them.
  for (const SprRgbaFrame& frame : sprite.RgbaFrames) {
    out << "  frame " << ++number << " (32-bit): " << frame.Width << " x " << frame.Height << '\n';
  }
}

void PrintActSummary(std::ostream& out, const std::string& name, const ActData& act) {
  out << name << ": action file, version " << (act.VersionWord >> 8) << '.' << (act.VersionWord & 0xFF)
      << ", " << act.ActionCount << " action(s), " << act.Events.size() << " event(s)\n";
  for (std::size_t a = 0; a < act.Actions.size(); ++a) {
    const ActAction& action = act.Actions[a];
    std::size_t layers = 0;
    for (const ActClip& clip : action.Clips) layers += clip.Layers.size();
    out << "  action " << a + 1 << ": " << action.ClipCount << " clip(s), " << layers << " layer(s)\n";
  }
  const std::vector<std::string> events = EventNames(act);
  for (std::size_t e = 0; e < events.size(); ++e) out << "  event " << e + 1 << ": " << events[e] << '\n';
}

int ShowSprite(Console& console, const InfoOptions& options) {
  auto sprite = LoadSpriteFile(console, options.file);
  if (!sprite) return Report(console, sprite.error());
  if (options.json) {
    console.out << JsonText(SpriteJson(*sprite)) << '\n';
  } else {
    PrintSpriteSummary(console.out, DisplayName(options.file), *sprite);
  }
  return kExitOk;
}

int ShowAct(Console& console, const InfoOptions& options) {
  auto act = Tool_Act::ReadActFile(options.file);
  if (!act) return Report(console, act.error());
  if (options.json) {
    console.out << JsonText(ActJson(*act)) << '\n';
  } else {
    PrintActSummary(console.out, DisplayName(options.file), *act);
  }
  return kExitOk;
}

// Anything that does not start like an action file goes to the sprite reader, whose
// errors say what is wrong with it.
bool StartsLikeActFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  char magic[2] = {};
  file.read(magic, 2);
  return file && magic[0] == 'A' && magic[1] == 'C';
}

int ShowInfo(Console& console, const InfoOptions& options) {
  return StartsLikeActFile(options.file) ? ShowAct(console, options) : ShowSprite(console, options);
}

}  // namespace

void AddInfoCommand(CLI::App& app, Console& console, Command& chosen) {
  auto options = std::make_shared<InfoOptions>();
  CLI::App* info = app.add_subcommand("info", "Describe a sprite or an action file (told apart by its magic)");
  info->add_option("FILE", options->file, "Sprite (.spr) or action (.act) file")->required();
  info->add_flag("--json", options->json, "Print the description as one JSON object");
  WhenChosen(info, console, chosen, options, ShowInfo);
}

}  // namespace tessaloom::cli
