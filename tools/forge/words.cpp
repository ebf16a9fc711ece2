// The words drawn into the pictures, Czech beside English, in one table.
#include "words.hpp"

#include <stdexcept>
#include <string>
#include <utility>

namespace forge {
namespace {

Edition Current = Edition::Czech;

constexpr std::pair<std::string_view, std::string_view> kWords[] = {
    // Menu.
    {"NOVÁ HRA", "NEW GAME"},
    {"POKRAČOVAT", "CONTINUE"},
    {"NASTAVENÍ", "SETTINGS"},
    {"NEJLEPŠÍ", "HI-SCORES"},
    {"NÁVOD", "HELP"},
    {"KONEC", "QUIT"},
    {"ponorka proti sudům", "a submarine against the barrels"},
    // Logo.
    {"HalvoTeam uvádí", "HalvoTeam presents"},
    {"Stiskněte klávesu nebo klikněte myší", "Press a key or click the mouse"},
    // Help, page 1.
    {"Strana", "Page"},
    {"ze 3", "of 3"},
    {"pokračujte klávesou nebo kliknutím", "press a key or click to go on"},
    {"NÁVOD – CÍL HRY A OVLÁDÁNÍ", "HELP – THE AIM AND THE CONTROLS"},
    {"Vaše ponorka křižuje moře zleva doprava. Po každém průjezdu se vrátí vlevo "
     "o řadu níž, od hladiny až ke dnu. Pod ní stojí hromady sudů s výbušninou. "
     "Narazí-li ponorka do sudu, vybuchne a hra končí – máte jen jeden život! "
     "Uvolněte si cestu minami a torpédy a nasbírejte dost bodů pro další úroveň.",
     "Your submarine crosses the sea from left to right, each pass one row lower, from "
     "the surface to the sea bed. Below it stand stacks of explosive barrels: touch one "
     "and the submarine blows up – you have only one life! Clear your way with mines and "
     "torpedoes and score enough points for the next level."},
    {"Mezerník", "Space"},
    {"Ctrl", "Ctrl"},
    {"Esc", "Esc"},
    {"M", "M"},
    {"N / P", "N / P"},
    {"F12", "F12"},
    {"shodí minu do sloupce pod ponorkou", "drops a mine down the column below the submarine"},
    {"vystřelí torpédo vpřed, řadou ponorky", "fires a torpedo ahead along the submarine's row"},
    {"přeruší hru a otevře menu (POKRAČOVAT vás vrátí)",
     "pauses the game and opens the menu (CONTINUE goes back)"},
    {"pozastaví nebo znovu spustí hudbu z CD", "pauses or resumes the CD music"},
    {"další / předchozí skladba z CD", "next / previous CD track"},
    {"okamžitě ukončí hru", "quits the game at once"},
    {"Menu, nápovědu, nastavení i tabulku nejlepších ovládáte myší. Když se "
     "dostanete do tabulky, napište své jméno a potvrďte klávesou Enter.",
     "Work the menu, the help, the settings and the table with the mouse. In the table, "
     "type your name and press Enter."},
    // Help, page 2.
    {"NÁVOD – ZBRANĚ, BODY A ÚROVNĚ", "HELP – WEAPONS, POINTS AND LEVELS"},
    {"Mina klesá sloupcem pod ponorkou a zničí až čtyři sudy z vrcholu hromady. "
     "Každý sud zničený minou přinese 1 bod. Padat smí jen jedna mina.",
     "A mine sinks down the column below the submarine and blows up to four barrels from "
     "the top of the stack. Each barrel a mine destroys scores 1 point. Only one mine may "
     "fall at a time."},
    {"Torpédo proletí celou řadou ponorky a zničí v ní všechny sudy; sudy nad nimi "
     "se uvolní a odplavou vzhůru. Každý sud zničený torpédem ale 1 bod ubere.",
     "A torpedo runs along the submarine's whole row and destroys every barrel in it; "
     "the barrels above them break loose and float away. But each barrel a torpedo "
     "destroys costs 1 point."},
    {"Ze sudu zničeného minou někdy vypadne bonus. Klesne na hromadu, 30 sekund tam "
     "leží a zapůsobí, když ho sebere ponorka nebo mina (bonusy viz další strana).",
     "A barrel destroyed by a mine sometimes releases a bonus. It sinks onto the stack, "
     "lies there for 30 seconds and takes effect when the submarine or a mine picks it "
     "up (the bonuses are on the next page)."},
    {"Úrovně", "Levels"},
    {"Úroveň skončí, když ponorka projede nejspodnější řadou, nebo když po "
     "průjezdu nezbude žádný sud. Postoupíte, máte-li víc bodů, než úroveň žádá – "
     "potřebný počet uvidíte na jejím začátku. Jinak hrajete stejnou úroveň znovu "
     "s novými hromadami. Body se mezi úrovněmi přenášejí; s každou úrovní je "
     "ponorka rychlejší a hromady vyšší. Nejlepší výsledky patří do tabulky "
     "patnácti nejlepších.",
     "A level ends when the submarine has passed through the lowest row, or when no "
     "barrel is left after a pass. You go on if you have more points than the level "
     "asks – you see how many when it begins. Otherwise you play the same level again "
     "with new stacks. Points carry over from level to level; with each level the "
     "submarine is faster and the stacks higher. The best results go into the table of "
     "the fifteen best."},
    // Help, page 3.
    {"NÁVOD – BONUSY", "HELP – BONUSES"},
    {"Rychleji – ponorka zrychlí", "Faster – the submarine speeds up"},
    {"Pomaleji – ponorka zpomalí", "Slower – the submarine slows down"},
    {"Nahoru – vystoupá o řadu výš", "Up – rises one row"},
    {"Dolů – klesne o řadu níž", "Down – sinks one row"},
    {"Dvojnásobek – 30 s vše dvakrát", "Double – 30 s of double points"},
    {"Body navíc – až 49 bodů", "Extra points – up to 49"},
    {"Minus – 30 s mina body bere", "Minus – 30 s of mines taking points"},
    {"Odpálit vše – každý sud za bod", "Blow all – a point for each barrel"},
    {"Znovu – úroveň s novými sudy", "Again – the level with new barrels"},
    {"Smrt – ponorka vybuchne!", "Death – the submarine blows up!"},
    {"Bonus sebere ponorka, která k němu dojede, i padající mina. Torpédo bonusy "
     "ničí bez účinku. Dvojnásobek platí i pro ztráty, Minus jen pro miny; "
     "body neklesnou pod nulu.",
     "A bonus is picked up by the submarine that reaches it, and by a falling mine. A "
     "torpedo destroys bonuses without effect. Double counts for losses too, Minus only "
     "for mines; points never drop below zero."},
    // Settings.
    {"HUSTOTA BUBLINEK", "BUBBLE DENSITY"},
    {"méně", "fewer"},
    {"více", "more"},
    {"Bublinky za ponorkou", "Behind the submarine"},
    {"Výbuch ponorky", "Submarine explosion"},
    {"Bublinky za minou", "Behind a mine"},
    {"Bublinky za torpédem", "Behind a torpedo"},
    {"Výbuch sudu", "Barrel explosion"},
    {"Plovoucí sudy", "Floating barrels"},
    {"Zvukové efekty", "Sound effects"},
    {"Hudba z CD", "CD music"},
    {"Klikněte na posuvník nebo vypínač.  Esc – zpět do menu",
     "Click a slider or a switch.  Esc – back to the menu"},
    // Hi-score table.
    {"TABULKA NEJLEPŠÍCH", "HI-SCORE TABLE"},
    {"Pokračujte klávesou nebo kliknutím", "Press a key or click to go on"},
};

}  // namespace

void drawFor(Edition e) { Current = e; }
Edition edition() { return Current; }

std::string_view say(std::string_view czech) {
  if (Current == Edition::Czech) return czech;
  for (const auto& [cs, en] : kWords)
    if (cs == czech) return en;
  throw std::runtime_error("no English for \"" + std::string(czech) + "\"");
}

std::string_view editionFolder() { return Current == Edition::English ? "en/" : ""; }

}  // namespace forge
