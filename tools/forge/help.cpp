#include <string>
#include <string_view>

#include "art.hpp"
#include "canvas.hpp"
#include "screens.hpp"
#include "sea.hpp"
#include "text.hpp"
#include "words.hpp"

namespace forge {
namespace {

const Rgb kBody{225, 240, 250};
const Rgb kAccent{255, 215, 110};

void frame(cairo_t* cr, std::string_view title, int page) {
  drawSea(cr, kShallows);
  drawPanel(cr, 20, 15, 760, 570, 0.72);
  titleText(cr, say(title), 400, 62, 36, Align::Centre);
  const std::string footer = std::string(say("Strana")) + " " + std::to_string(page) + " " +
                             std::string(say("ze 3")) + "  •  " +
                             std::string(say("pokračujte klávesou nebo kliknutím"));
  bodyTextIn(cr, Face::Sans, 15, footer, 400, 570, {160, 200, 220}, Align::Centre);
}

void keyCap(cairo_t* cr, std::string_view key, double x, double y, double w) {
  cairo_new_path(cr);
  cairo_rectangle(cr, x, y - 19, w, 26);
  setLinear(cr, 0, y - 19, 0, y + 7, {{0, 0.9, 0.93, 0.95}, {1, 0.55, 0.6, 0.66}});
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0.1, 0.12, 0.18);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  useFont(cr, Face::SansBold, 15);
  cairo_new_path(cr);
  textPath(cr, key, x + w / 2, y, Align::Centre);
  cairo_set_source_rgb(cr, 0.08, 0.1, 0.16);
  cairo_fill(cr);
}

void controlsPage(cairo_t* cr) {
  frame(cr, "NÁVOD – CÍL HRY A OVLÁDÁNÍ", 1);
  useFont(cr, Face::Sans, 17);
  double y = wrappedText(
      cr,
      say("Vaše ponorka křižuje moře zleva doprava. Po každém průjezdu se vrátí vlevo "
          "o řadu níž, od hladiny až ke dnu. Pod ní stojí hromady sudů s výbušninou. "
          "Narazí-li ponorka do sudu, vybuchne a hra končí – máte jen jeden život! "
          "Uvolněte si cestu minami a torpédy a nasbírejte dost bodů pro další úroveň."),
      50, 110, 700, 24, kBody);
  y += 16;
  struct Key {
    std::string_view key, text;
    double width;
  };
  const Key keys[] = {
      {"Mezerník", "shodí minu do sloupce pod ponorkou", 110},
      {"Ctrl", "vystřelí torpédo vpřed, řadou ponorky", 110},
      {"Esc", "přeruší hru a otevře menu (POKRAČOVAT vás vrátí)", 110},
      {"M", "pozastaví nebo znovu spustí hudbu z CD", 110},
      {"N / P", "další / předchozí skladba z CD", 110},
      {"F12", "okamžitě ukončí hru", 110},
  };
  for (const Key& k : keys) {
    keyCap(cr, say(k.key), 70, y, k.width);
    useFont(cr, Face::Sans, 18);
    bodyText(cr, say(k.text), 200, y, kBody);
    y += 40;
  }
  useFont(cr, Face::Sans, 17);
  wrappedText(cr,
              say("Menu, nápovědu, nastavení i tabulku nejlepších ovládáte myší. Když se "
                  "dostanete do tabulky, napište své jméno a potvrďte klávesou Enter."),
              50, y + 10, 700, 24, kAccent);
  drawAt(cr, 600, 470, 1.6, [&] { drawSubmarine(cr, 4); });
}

void weaponsPage(cairo_t* cr) {
  frame(cr, "NÁVOD – ZBRANĚ, BODY A ÚROVNĚ", 2);
  struct Entry {
    int sprite;  // 0 mine, 1 torpedo, 2 barrel
    std::string_view text;
  };
  const Entry entries[] = {
      {0,
       "Mina klesá sloupcem pod ponorkou a zničí až čtyři sudy z vrcholu hromady. "
       "Každý sud zničený minou přinese 1 bod. Padat smí jen jedna mina."},
      {1,
       "Torpédo proletí celou řadou ponorky a zničí v ní všechny sudy; sudy nad nimi "
       "se uvolní a odplavou vzhůru. Každý sud zničený torpédem ale 1 bod ubere."},
      {2,
       "Ze sudu zničeného minou někdy vypadne bonus. Klesne na hromadu, 30 sekund tam "
       "leží a zapůsobí, když ho sebere ponorka nebo mina (bonusy viz další strana)."},
  };
  double y = 105;
  useFont(cr, Face::Sans, 17);
  for (const Entry& e : entries) {
    drawAt(cr, 45, y - 10, 1.5, [&] {
      if (e.sprite == 0) drawMine(cr);
      if (e.sprite == 1) drawTorpedo(cr);
      if (e.sprite == 2) drawBarrel(cr);
    });
    useFont(cr, Face::Sans, 17);
    const double end = wrappedText(cr, say(e.text), 120, y + 8, 630, 23, kBody);
    y = std::max(end, y + 70) + 14;
  }
  useFont(cr, Face::SansBold, 20);
  bodyText(cr, say("Úrovně"), 50, y + 6, kAccent);
  useFont(cr, Face::Sans, 17);
  wrappedText(cr,
              say("Úroveň skončí, když ponorka projede nejspodnější řadou, nebo když po "
                  "průjezdu nezbude žádný sud. Postoupíte, máte-li víc bodů, než úroveň žádá – "
                  "potřebný počet uvidíte na jejím začátku. Jinak hrajete stejnou úroveň znovu "
                  "s novými hromadami. Body se mezi úrovněmi přenášejí; s každou úrovní je "
                  "ponorka rychlejší a hromady vyšší. Nejlepší výsledky patří do tabulky "
                  "patnácti nejlepších."),
              50, y + 34, 700, 23, kBody);
}

void bonusPage(cairo_t* cr) {
  frame(cr, "NÁVOD – BONUSY", 3);
  // Same order as the bonus sheet.
  const std::string_view texts[kBonusCount] = {
      "Rychleji – ponorka zrychlí",     "Pomaleji – ponorka zpomalí",
      "Nahoru – vystoupá o řadu výš",   "Dolů – klesne o řadu níž",
      "Dvojnásobek – 30 s vše dvakrát", "Body navíc – až 49 bodů",
      "Minus – 30 s mina body bere",    "Odpálit vše – každý sud za bod",
      "Znovu – úroveň s novými sudy",   "Smrt – ponorka vybuchne!",
  };
  for (int i = 0; i < kBonusCount; ++i) {
    const double x = 50 + (i % 2) * 365, y = 100 + (i / 2) * 72;
    drawAt(cr, x, y, 1.25, [&] { drawBonusIcon(cr, i); });
    useFont(cr, Face::Sans, 17);
    bodyText(cr, say(texts[i]), x + 60, y + 31, kBody);
  }
  useFont(cr, Face::Sans, 16);
  wrappedText(cr,
              say("Bonus sebere ponorka, která k němu dojede, i padající mina. Torpédo bonusy "
                  "ničí bez účinku. Dvojnásobek platí i pro ztráty, Minus jen pro miny; "
                  "body neklesnou pod nulu."),
              50, 482, 700, 22, kAccent);
}

}  // namespace

Picture makeHelp(int page) {
  Canvas canvas(800, 600);
  cairo_t* cr = canvas.cr();
  if (page == 1) controlsPage(cr);
  if (page == 2) weaponsPage(cr);
  if (page == 3) bonusPage(cr);
  return canvas.opaque();
}

}  // namespace forge
