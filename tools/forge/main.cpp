// forge: draws every picture and synthesises every sound of the game's archive, or the
// desktop icons and the screenshot for the software centres.
//   forge OUTDIR [CONTACT_SHEET.png]
//   forge --icons OUTDIR ID
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app_icon.hpp"
#include "art.hpp"
#include "contact_sheet.hpp"
#include "encoders.hpp"
#include "quantise.hpp"
#include "screens.hpp"
#include "sounds.hpp"
#include "words.hpp"

namespace fs = std::filesystem;
using namespace forge;

namespace {

void writeFile(const fs::path& path, const Bytes& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

Picture expand(const IndexedPicture& p) {
  Picture out(p.width, p.height);
  for (std::size_t i = 0; i < p.indices.size(); ++i) out.pixels[i] = p.palette[p.indices[i]];
  return out;
}

struct Member {
  std::string gifName;  // in Grafika8
  const Picture* picture;
  bool keyed;
};

// The quantiser's threads may split work differently from run to run; one thread keeps the
// palettes, and so the archive, byte for byte the same.
void pinToOneThread(char** argv) {
  const char* threads = std::getenv("OMP_NUM_THREADS");
  if (threads && std::strcmp(threads, "1") == 0) return;
  setenv("OMP_NUM_THREADS", "1", 1);
  execv("/proc/self/exe", argv);
}

}  // namespace

int main(int argc, char** argv) try {
  if (argc == 4 && std::strcmp(argv[1], "--icons") == 0) {
    writeAppIcons(argv[2], argv[3]);
    writeScreenshot(std::filesystem::path(argv[2]) / "screenshot.png");
    return 0;
  }
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: forge OUTDIR [CONTACT_SHEET.png]\n       forge --icons OUTDIR ID\n");
    return 2;
  }
  pinToOneThread(argv);
  const fs::path out = argv[1];

  // Sprite sheets (BMP) and full pictures (JPEG).
  const Picture game = makeGameSheet(), barrel = makeBarrelSheet(), bonus = makeBonusSheet(),
                digits = makeDigitsSheet(), explA = makeExplosionA(), explB = makeExplosionB(),
                controls = makeControlsSheet(), font = makeFontSheet();
  const Picture bg1 = makeBackground(0), bg2 = makeBackground(1), bg3 = makeBackground(2);
  const Picture menu = makeMenu(false), menuSel = makeMenuSel(), logo = makeLogo();
  const Picture help1 = makeHelp(1), help2 = makeHelp(2), help3 = makeHelp(3);
  const Picture settings = makeSettings(), hiScore = makeHiScore();

  std::vector<Exhibit> exhibits;
  auto bmp = [&](const char* name, const Picture& p) {
    writeFile(out / "Grafika" / name, encodeBmp(p));
    exhibits.push_back({std::string("Grafika/") + name, p});
  };
  auto jpg = [&](const char* name, const Picture& p) {
    writeFile(out / "Grafika" / name, encodeJpeg(p, 92));
    exhibits.push_back({std::string("Grafika/") + name, p});
  };
  bmp("Game.bmp", game);
  bmp("Barel.bmp", barrel);
  bmp("Bonus.bmp", bonus);
  bmp("Digits.bmp", digits);
  bmp("NauvrelExpl.bmp", explA);
  bmp("NauvrelExplB.bmp", explB);
  bmp("Controls.bmp", controls);
  bmp("Font.bmp", font);
  jpg("Background1.jpg", bg1);
  jpg("Background2.jpg", bg2);
  jpg("Background3.jpg", bg3);
  jpg("MenuBckg.jpg", menu);
  jpg("MenuSel.jpg", menuSel);
  jpg("Logo.jpg", logo);
  jpg("Help1.jpg", help1);
  jpg("Help2.jpg", help2);
  jpg("Help3.jpg", help3);
  jpg("Setup.jpg", settings);
  jpg("HiScore.jpg", hiScore);

  // 8-bit pictures: one palette per group, as the display shows one palette at a time.
  const std::vector<Rgb>& fontInk = fontColours();
  const std::vector<Rgb> keyOnly{kKey};
  const std::vector<std::pair<std::vector<Member>, const std::vector<Rgb>*>> groups = {
      {{{"Game.gif", &game, true},
        {"Barel.gif", &barrel, true},
        {"Bonus.gif", &bonus, true},
        {"Digits.gif", &digits, true},
        {"NauvrelExpl.gif", &explA, true},
        {"NauvrelExplB.gif", &explB, true},
        {"Background1.gif", &bg1, false},
        {"Background2.gif", &bg2, false},
        {"Background3.gif", &bg3, false}},
       &fontInk},
      {{{"MenuBckg.gif", &menu, false}, {"MenuSel.gif", &menuSel, false}}, nullptr},
      {{{"Settings.gif", &settings, false}, {"Controls.gif", &controls, true}}, &keyOnly},
      {{{"HiScore.gif", &hiScore, false}}, &fontInk},
      {{{"Logo.gif", &logo, false}}, nullptr},
      {{{"Help1.gif", &help1, false}, {"Help2.gif", &help2, false}, {"Help3.gif", &help3, false}},
       nullptr},
  };
  const auto writeGroups = [&](const auto& groupList, const std::string& folder) {
    for (const auto& [members, fixed] : groupList) {
      std::vector<GroupMember> input;
      for (const Member& m : members) input.push_back({m.picture, m.keyed});
      const std::vector<Rgb> none;
      const auto indexed = quantiseGroup(input, fixed ? *fixed : none);
      for (std::size_t i = 0; i < members.size(); ++i) {
        writeFile(out / "Grafika8" / folder / members[i].gifName, encodeGif(indexed[i]));
        exhibits.push_back({"Grafika8/" + folder + members[i].gifName, expand(indexed[i])});
      }
    }
  };
  writeGroups(groups, "");

  // The English edition: the pictures with words drawn again from the same layouts, beside
  // the Czech ones. The controls have no words but share the settings' 8-bit palette.
  drawFor(Edition::English);
  const Picture enMenu = makeMenu(false), enMenuSel = makeMenuSel(), enLogo = makeLogo();
  const Picture enHelp1 = makeHelp(1), enHelp2 = makeHelp(2), enHelp3 = makeHelp(3);
  const Picture enSettings = makeSettings(), enHiScore = makeHiScore();
  drawFor(Edition::Czech);
  bmp("en/Controls.bmp", controls);
  jpg("en/MenuBckg.jpg", enMenu);
  jpg("en/MenuSel.jpg", enMenuSel);
  jpg("en/Logo.jpg", enLogo);
  jpg("en/Help1.jpg", enHelp1);
  jpg("en/Help2.jpg", enHelp2);
  jpg("en/Help3.jpg", enHelp3);
  jpg("en/Setup.jpg", enSettings);
  jpg("en/HiScore.jpg", enHiScore);
  const std::vector<std::pair<std::vector<Member>, const std::vector<Rgb>*>> enGroups = {
      {{{"MenuBckg.gif", &enMenu, false}, {"MenuSel.gif", &enMenuSel, false}}, nullptr},
      {{{"Settings.gif", &enSettings, false}, {"Controls.gif", &controls, true}}, &keyOnly},
      {{{"HiScore.gif", &enHiScore, false}}, &fontInk},
      {{{"Logo.gif", &enLogo, false}}, nullptr},
      {{{"Help1.gif", &enHelp1, false},
        {"Help2.gif", &enHelp2, false},
        {"Help3.gif", &enHelp3, false}},
       nullptr},
  };
  writeGroups(enGroups, "en/");

  // Sounds.
  writeFile(out / "Zvuk/MenuClick.wav", encodeWav(makeMenuClick(), kSampleRate));
  writeFile(out / "Zvuk/Bonus.wav", encodeWav(makeBonusChime(), kSampleRate));
  writeFile(out / "Zvuk/LevelUp.wav", encodeWav(makeLevelUp(), kSampleRate));
  for (int v = 0; v < 4; ++v)
    writeFile(out / ("Zvuk/ExplodeB" + std::to_string(v + 1) + ".wav"),
              encodeWav(makeBarrelExplosion(v), kSampleRate));
  writeFile(out / "Zvuk/NauvrelExpl.wav", encodeWav(makeSubmarineExplosion(), kSampleRate));

  if (argc > 2) writeContactSheet(exhibits, argv[2]);
  return 0;
} catch (const std::exception& e) {
  std::fprintf(stderr, "forge: %s\n", e.what());
  return 1;
}
