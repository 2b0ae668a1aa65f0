#include "demo/word_lists.h"

#include <array>
#include <cstdint>

#include "common/cp932.h"

namespace radadovur::demo {
namespace {

struct Word {
  std::string_view kana, latin;
};

// Horse names are one or two of these words, as owners like to name their horses.
constexpr std::array<Word, 36> kLeadWords = {{
    {"ラッキー", "Lucky"},   {"スター", "Star"},     {"ブルー", "Blue"},       {"ミラクル", "Miracle"},
    {"サン", "Sun"},         {"ゴールド", "Gold"},   {"シルバー", "Silver"},   {"ロイヤル", "Royal"},
    {"グラン", "Gran"},      {"ハッピー", "Happy"},  {"スーパー", "Super"},    {"ノーブル", "Noble"},
    {"ワイルド", "Wild"},    {"ブライト", "Bright"}, {"ホワイト", "White"},    {"レッド", "Red"},
    {"ミスター", "Mister"},  {"レディ", "Lady"},     {"プリンス", "Prince"},   {"エース", "Ace"},
    {"ビッグ", "Big"},       {"リトル", "Little"},   {"ダーク", "Dark"},       {"クール", "Cool"},
    {"ネオ", "Neo"},         {"マイ", "My"},         {"ドン", "Don"},          {"セント", "Saint"},
    {"ファイン", "Fine"},    {"トップ", "Top"},      {"ベスト", "Best"},       {"ニュー", "New"},
    {"ハイ", "High"},        {"ムーン", "Moon"},     {"オーシャン", "Ocean"},  {"フェア", "Fair"},
}};

constexpr std::array<Word, 72> kTailWords = {{
    {"ドリーム", "Dream"},     {"ライト", "Light"},     {"ウインド", "Wind"},     {"ローズ", "Rose"},
    {"キング", "King"},        {"クイーン", "Queen"},   {"ハート", "Heart"},      {"ボルト", "Bolt"},
    {"ノヴァ", "Nova"},        {"フラワー", "Flower"},  {"ソング", "Song"},       {"ロード", "Road"},
    {"スピリット", "Spirit"},  {"フォース", "Force"},   {"ブリッジ", "Bridge"},   {"アロー", "Arrow"},
    {"ウェーブ", "Wave"},      {"リバー", "River"},     {"フォレスト", "Forest"}, {"ガーデン", "Garden"},
    {"パレード", "Parade"},    {"メロディ", "Melody"},  {"ダンサー", "Dancer"},   {"ランナー", "Runner"},
    {"ファイター", "Fighter"}, {"ナイト", "Knight"},    {"セイバー", "Saber"},    {"シャドウ", "Shadow"},
    {"フレイム", "Flame"},     {"ストーム", "Storm"},   {"サンダー", "Thunder"},  {"レイン", "Rain"},
    {"スノー", "Snow"},        {"クラウド", "Cloud"},   {"スカイ", "Sky"},        {"ホープ", "Hope"},
    {"グローリー", "Glory"},   {"ビクトリー", "Victory"}, {"チャンス", "Chance"}, {"ジョイ", "Joy"},
    {"スマイル", "Smile"},     {"ハーモニー", "Harmony"}, {"リズム", "Rhythm"},   {"ビート", "Beat"},
    {"パール", "Pearl"},       {"ルビー", "Ruby"},      {"サファイア", "Sapphire"}, {"エメラルド", "Emerald"},
    {"ダイヤ", "Diamond"},     {"クリスタル", "Crystal"}, {"コメット", "Comet"},  {"ギャラクシー", "Galaxy"},
    {"オーロラ", "Aurora"},    {"ソレイユ", "Soleil"},  {"リュンヌ", "Lune"},     {"エトワール", "Etoile"},
    {"ブリーズ", "Breeze"},    {"カイザー", "Kaiser"},  {"バロン", "Baron"},      {"マーチ", "March"},
    {"タイガー", "Tiger"},     {"イーグル", "Eagle"},   {"ファルコン", "Falcon"}, {"ドラゴン", "Dragon"},
    {"ライオン", "Lion"},      {"ウルフ", "Wolf"},      {"ホーク", "Hawk"},       {"フェニックス", "Phoenix"},
    {"ペガサス", "Pegasus"},   {"ユニコーン", "Unicorn"}, {"アトラス", "Atlas"},  {"オリオン", "Orion"},
}};

struct Kanji {
  std::string_view text, kana, latin;
};

constexpr std::array<Kanji, 40> kSurnames = {{
    {"佐藤", "サトウ", "Sato"},       {"鈴木", "スズキ", "Suzuki"},     {"高橋", "タカハシ", "Takahashi"},
    {"田中", "タナカ", "Tanaka"},     {"伊藤", "イトウ", "Ito"},        {"渡辺", "ワタナベ", "Watanabe"},
    {"山本", "ヤマモト", "Yamamoto"}, {"中村", "ナカムラ", "Nakamura"}, {"小林", "コバヤシ", "Kobayashi"},
    {"加藤", "カトウ", "Kato"},       {"吉田", "ヨシダ", "Yoshida"},    {"山田", "ヤマダ", "Yamada"},
    {"松本", "マツモト", "Matsumoto"}, {"井上", "イノウエ", "Inoue"},   {"木村", "キムラ", "Kimura"},
    {"林", "ハヤシ", "Hayashi"},      {"清水", "シミズ", "Shimizu"},    {"山崎", "ヤマザキ", "Yamazaki"},
    {"森", "モリ", "Mori"},           {"池田", "イケダ", "Ikeda"},      {"橋本", "ハシモト", "Hashimoto"},
    {"石川", "イシカワ", "Ishikawa"}, {"前田", "マエダ", "Maeda"},      {"藤田", "フジタ", "Fujita"},
    {"岡田", "オカダ", "Okada"},      {"長谷川", "ハセガワ", "Hasegawa"}, {"村上", "ムラカミ", "Murakami"},
    {"近藤", "コンドウ", "Kondo"},    {"坂本", "サカモト", "Sakamoto"}, {"遠藤", "エンドウ", "Endo"},
    {"青木", "アオキ", "Aoki"},       {"藤井", "フジイ", "Fujii"},      {"西村", "ニシムラ", "Nishimura"},
    {"福田", "フクダ", "Fukuda"},     {"太田", "オオタ", "Ota"},        {"三浦", "ミウラ", "Miura"},
    {"岩崎", "イワサキ", "Iwasaki"},  {"菅原", "スガワラ", "Sugawara"}, {"武田", "タケダ", "Takeda"},
    {"北村", "キタムラ", "Kitamura"},
}};

constexpr std::array<Kanji, 40> kGivenNames = {{
    {"健太", "ケンタ", "Kenta"},     {"翔太", "ショウタ", "Shota"},   {"大輔", "ダイスケ", "Daisuke"},
    {"拓也", "タクヤ", "Takuya"},    {"雄一", "ユウイチ", "Yuichi"},  {"誠", "マコト", "Makoto"},
    {"裕二", "ユウジ", "Yuji"},      {"隆", "タカシ", "Takashi"},     {"浩", "ヒロシ", "Hiroshi"},
    {"和也", "カズヤ", "Kazuya"},    {"直樹", "ナオキ", "Naoki"},     {"聡", "サトシ", "Satoshi"},
    {"亮", "リョウ", "Ryo"},         {"剛", "ツヨシ", "Tsuyoshi"},    {"勇人", "ハヤト", "Hayato"},
    {"蓮", "レン", "Ren"},           {"悠斗", "ユウト", "Yuto"},      {"陸", "リク", "Riku"},
    {"颯", "ハヤテ", "Hayate"},      {"大和", "ヤマト", "Yamato"},    {"一樹", "カズキ", "Kazuki"},
    {"光", "ヒカル", "Hikaru"},      {"修", "オサム", "Osamu"},       {"豊", "ユタカ", "Yutaka"},
    {"正人", "マサト", "Masato"},    {"秀明", "ヒデアキ", "Hideaki"}, {"康弘", "ヤスヒロ", "Yasuhiro"},
    {"信也", "シンヤ", "Shinya"},    {"智", "サトル", "Satoru"},      {"達也", "タツヤ", "Tatsuya"},
    {"美咲", "ミサキ", "Misaki"},    {"菜七", "ナナ", "Nana"},        {"優花", "ユウカ", "Yuka"},
    {"葵", "アオイ", "Aoi"},         {"晴人", "ハルト", "Haruto"},    {"航", "ワタル", "Wataru"},
    {"駿", "シュン", "Shun"},        {"圭", "ケイ", "Kei"},           {"匠", "タクミ", "Takumi"},
    {"恭平", "キョウヘイ", "Kyohei"},
}};

constexpr std::array<RaceWord, 40> kRaceWords = {{
    {"朝顔", "Asagao"},     {"向日葵", "Himawari"},  {"夏空", "Natsuzora"},  {"潮風", "Shiokaze"},
    {"白樺", "Shirakaba"},  {"銀河", "Ginga"},       {"流星", "Ryusei"},     {"陽炎", "Kagero"},
    {"若鮎", "Wakaayu"},    {"天の川", "Amanogawa"}, {"青葉", "Aoba"},       {"紅葉", "Momiji"},
    {"初雪", "Hatsuyuki"},  {"若葉", "Wakaba"},      {"疾風", "Hayate"},     {"雷光", "Raiko"},
    {"彗星", "Suisei"},     {"北斗", "Hokuto"},      {"黎明", "Reimei"},     {"蒼穹", "Sokyu"},
    {"月光", "Gekko"},      {"星影", "Hoshikage"},   {"花火", "Hanabi"},     {"風鈴", "Furin"},
    {"浜木綿", "Hamayu"},   {"漁火", "Isaribi"},     {"岬", "Misaki"},       {"灯台", "Todai"},
    {"湖畔", "Kohan"},      {"高原", "Kogen"},       {"渓流", "Keiryu"},     {"山桜", "Yamazakura"},
    {"藤花", "Toka"},       {"菖蒲", "Ayame"},       {"紫陽花", "Ajisai"},   {"秋桜", "Akizakura"},
    {"木枯", "Kogarashi"},  {"霧氷", "Muhyo"},       {"雪原", "Setsugen"},   {"夕凪", "Yunagi"},
}};

constexpr std::array<std::string_view, 17> kAreas = {
    "日高町", "新ひだか町", "浦河町", "新冠町", "安平町", "様似町", "えりも町", "むかわ町", "千歳市",
    "洞爺湖町", "平取町", "青森県", "熊本県", "米", "愛", "英", "仏"};

constexpr std::array<std::string_view, 12> kColours = {"赤", "青", "黄", "緑", "紫", "白",
                                                       "黒", "水色", "桃", "茶", "海老", "薄紫"};
constexpr std::array<std::string_view, 12> kPatterns = {"縦縞", "横縞", "襷", "一本輪", "二本輪", "菱山形",
                                                        "格子", "元禄", "星散", "玉霰", "鋸歯形", "山形一本輪"};

template <typename T, size_t N>
const T& PickOf(Rng& rng, const std::array<T, N>& items) {
  return items[static_cast<size_t>(rng.Below(static_cast<int>(N)))];
}

// Decodes one UTF-8 character at `at`, advancing it.
char32_t NextCodePoint(std::string_view s, size_t& at) {
  const auto c = static_cast<unsigned char>(s[at]);
  int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
  char32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
  ++at;
  for (int k = 0; k < extra && at < s.size(); ++k, ++at) cp = (cp << 6) | (static_cast<unsigned char>(s[at]) & 0x3F);
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string HalfWidthKana(std::string_view utf8) {
  // Plain kana in full-width order (U+30A1..U+30F3) and their half-width forms; voiced and
  // semi-voiced kana take their plain form followed by the half-width sound mark.
  static const std::u32string kFull =
      U"ァアィイゥウェエォオカキクケコサシスセソタチッツテトナニヌネノハヒフヘホマミムメモャヤュユョヨラリルレロワヲンー";
  static const std::u32string kHalf =
      U"ｧｱｨｲｩｳｪｴｫｵｶｷｸｹｺｻｼｽｾｿﾀﾁｯﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓｬﾔｭﾕｮﾖﾗﾘﾙﾚﾛﾜｦﾝｰ";
  static const std::u32string kVoiced = U"ガギグゲゴザジズゼゾダヂヅデドバビブベボ";
  static const std::u32string kVoicedBase = U"カキクケコサシスセソタチツテトハヒフヘホ";
  static const std::u32string kSemi = U"パピプペポ";
  static const std::u32string kSemiBase = U"ハヒフヘホ";
  auto half_of = [&](char32_t c) -> char32_t {
    const size_t i = kFull.find(c);
    return i == std::u32string::npos ? c : kHalf[i];
  };
  std::string out;
  for (size_t at = 0; at < utf8.size();) {
    const char32_t c = NextCodePoint(utf8, at);
    if (c == U'　') {
      out += ' ';
    } else if (size_t v = kVoiced.find(c); v != std::u32string::npos) {
      AppendUtf8(out, half_of(kVoicedBase[v]));
      AppendUtf8(out, U'ﾞ');
    } else if (size_t p = kSemi.find(c); p != std::u32string::npos) {
      AppendUtf8(out, half_of(kSemiBase[p]));
      AppendUtf8(out, U'ﾟ');
    } else if (c == U'ヴ') {
      AppendUtf8(out, U'ｳ');
      AppendUtf8(out, U'ﾞ');
    } else {
      AppendUtf8(out, half_of(c));
    }
  }
  return out;
}

Name HorseName(Rng& rng) {
  for (;;) {
    const Word& tail = PickOf(rng, kTailWords);
    Name name;
    if (rng.Percent(70)) {
      const Word& lead = PickOf(rng, kLeadWords);
      name.text = std::string(lead.kana) + std::string(tail.kana);
      name.latin = std::string(lead.latin) + " " + std::string(tail.latin);
    } else {
      const Word& second = PickOf(rng, kTailWords);
      if (&second == &tail) continue;
      name.text = std::string(tail.kana) + std::string(second.kana);
      name.latin = std::string(tail.latin) + " " + std::string(second.latin);
    }
    if (common::Utf8Length(name.text) > 9) continue;
    name.kana = HalfWidthKana(name.text);
    return name;
  }
}

std::string PersonName::Full() const { return surname + "　" + given; }
std::string PersonName::Short() const { return common::Utf8Left(surname + given, 4); }
std::string PersonName::KanaHalf() const { return HalfWidthKana(surname_kana + "　" + given_kana); }
std::string PersonName::Latin() const { return given_latin + " " + surname_latin; }

PersonName PersonNameOf(Rng& rng) {
  const Kanji& s = PickOf(rng, kSurnames);
  const Kanji& g = PickOf(rng, kGivenNames);
  return {std::string(s.text), std::string(g.text), std::string(s.kana), std::string(g.kana),
          std::string(s.latin), std::string(g.latin)};
}

const RaceWord& PickRaceWord(Rng& rng) { return PickOf(rng, kRaceWords); }

std::string_view PickProductionArea(Rng& rng) {
  // Most horses come from Hidaka; a few are bred abroad.
  return rng.Percent(85) ? kAreas[static_cast<size_t>(rng.Below(11))] : PickOf(rng, kAreas);
}

std::string FarmName(Rng& rng) {
  const Kanji& s = PickOf(rng, kSurnames);
  switch (rng.Below(4)) {
    case 0: return std::string(s.text) + "牧場";
    case 1: return "（有）" + std::string(s.text) + "牧場";
    case 2: return std::string(s.text) + "ファーム";
    default: return std::string(PickOf(rng, kTailWords).kana) + "ファーム";
  }
}

std::string OwnerName(Rng& rng) {
  if (rng.Percent(40)) return "（株）" + std::string(PickOf(rng, kLeadWords).kana) + "レーシング";
  const PersonName p = PersonNameOf(rng);
  return p.surname + p.given;
}

std::string Silks(Rng& rng) {
  const std::string_view a = PickOf(rng, kColours), b = PickOf(rng, kColours), c = PickOf(rng, kColours);
  return std::string(a) + "，" + std::string(b) + std::string(PickOf(rng, kPatterns)) + "，" + std::string(c) + "袖";
}

}  // namespace radadovur::demo
