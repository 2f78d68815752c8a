#include "ui/core/dxCultureInfo.h"

#include <iterator>
#include <memory>
#include <unordered_map>

namespace qd {

namespace {

struct TCultureEntry {
  int32_t ID;
  const Char* Name;
};

// The published Windows locale identifiers: neutral languages, specific locales and the
// script-neutral identifiers (0x7Cxx). The invariant locale has the empty name.
constexpr TCultureEntry kCultures[] = {
    {0x0001, u"ar"},          {0x0002, u"bg"},
    {0x0003, u"ca"},          {0x0004, u"zh-Hans"},
    {0x0005, u"cs"},          {0x0006, u"da"},
    {0x0007, u"de"},          {0x0008, u"el"},
    {0x0009, u"en"},          {0x000A, u"es"},
    {0x000B, u"fi"},          {0x000C, u"fr"},
    {0x000D, u"he"},          {0x000E, u"hu"},
    {0x000F, u"is"},          {0x0010, u"it"},
    {0x0011, u"ja"},          {0x0012, u"ko"},
    {0x0013, u"nl"},          {0x0014, u"no"},
    {0x0015, u"pl"},          {0x0016, u"pt"},
    {0x0017, u"rm"},          {0x0018, u"ro"},
    {0x0019, u"ru"},          {0x001A, u"hr"},
    {0x001B, u"sk"},          {0x001C, u"sq"},
    {0x001D, u"sv"},          {0x001E, u"th"},
    {0x001F, u"tr"},          {0x0020, u"ur"},
    {0x0021, u"id"},          {0x0022, u"uk"},
    {0x0023, u"be"},          {0x0024, u"sl"},
    {0x0025, u"et"},          {0x0026, u"lv"},
    {0x0027, u"lt"},          {0x0028, u"tg"},
    {0x0029, u"fa"},          {0x002A, u"vi"},
    {0x002B, u"hy"},          {0x002C, u"az"},
    {0x002D, u"eu"},          {0x002E, u"hsb"},
    {0x002F, u"mk"},          {0x0032, u"tn"},
    {0x0034, u"xh"},          {0x0035, u"zu"},
    {0x0036, u"af"},          {0x0037, u"ka"},
    {0x0038, u"fo"},          {0x0039, u"hi"},
    {0x003A, u"mt"},          {0x003B, u"se"},
    {0x003C, u"ga"},          {0x003E, u"ms"},
    {0x003F, u"kk"},          {0x0040, u"ky"},
    {0x0041, u"sw"},          {0x0042, u"tk"},
    {0x0043, u"uz"},          {0x0044, u"tt"},
    {0x0045, u"bn"},          {0x0046, u"pa"},
    {0x0047, u"gu"},          {0x0048, u"or"},
    {0x0049, u"ta"},          {0x004A, u"te"},
    {0x004B, u"kn"},          {0x004C, u"ml"},
    {0x004D, u"as"},          {0x004E, u"mr"},
    {0x004F, u"sa"},          {0x0050, u"mn"},
    {0x0051, u"bo"},          {0x0052, u"cy"},
    {0x0053, u"km"},          {0x0054, u"lo"},
    {0x0056, u"gl"},          {0x0057, u"kok"},
    {0x0059, u"sd"},          {0x005A, u"syr"},
    {0x005B, u"si"},          {0x005C, u"chr"},
    {0x005D, u"iu"},          {0x005E, u"am"},
    {0x005F, u"tzm"},         {0x0061, u"ne"},
    {0x0062, u"fy"},          {0x0063, u"ps"},
    {0x0064, u"fil"},         {0x0065, u"dv"},
    {0x0067, u"ff"},          {0x0068, u"ha"},
    {0x006A, u"yo"},          {0x006B, u"quz"},
    {0x006C, u"nso"},         {0x006D, u"ba"},
    {0x006E, u"lb"},          {0x006F, u"kl"},
    {0x0070, u"ig"},          {0x0073, u"ti"},
    {0x0075, u"haw"},         {0x0078, u"ii"},
    {0x007A, u"arn"},         {0x007C, u"moh"},
    {0x007E, u"br"},          {0x007F, u""},
    {0x0080, u"ug"},          {0x0081, u"mi"},
    {0x0082, u"oc"},          {0x0083, u"co"},
    {0x0084, u"gsw"},         {0x0085, u"sah"},
    {0x0086, u"quc"},         {0x0087, u"rw"},
    {0x0088, u"wo"},          {0x008C, u"prs"},
    {0x0091, u"gd"},          {0x0092, u"ku"},
    {0x0401, u"ar-SA"},       {0x0402, u"bg-BG"},
    {0x0403, u"ca-ES"},       {0x0404, u"zh-TW"},
    {0x0405, u"cs-CZ"},       {0x0406, u"da-DK"},
    {0x0407, u"de-DE"},       {0x0408, u"el-GR"},
    {0x0409, u"en-US"},       {0x040B, u"fi-FI"},
    {0x040C, u"fr-FR"},       {0x040D, u"he-IL"},
    {0x040E, u"hu-HU"},       {0x040F, u"is-IS"},
    {0x0410, u"it-IT"},       {0x0411, u"ja-JP"},
    {0x0412, u"ko-KR"},       {0x0413, u"nl-NL"},
    {0x0414, u"nb-NO"},       {0x0415, u"pl-PL"},
    {0x0416, u"pt-BR"},       {0x0417, u"rm-CH"},
    {0x0418, u"ro-RO"},       {0x0419, u"ru-RU"},
    {0x041A, u"hr-HR"},       {0x041B, u"sk-SK"},
    {0x041C, u"sq-AL"},       {0x041D, u"sv-SE"},
    {0x041E, u"th-TH"},       {0x041F, u"tr-TR"},
    {0x0420, u"ur-PK"},       {0x0421, u"id-ID"},
    {0x0422, u"uk-UA"},       {0x0423, u"be-BY"},
    {0x0424, u"sl-SI"},       {0x0425, u"et-EE"},
    {0x0426, u"lv-LV"},       {0x0427, u"lt-LT"},
    {0x0428, u"tg-Cyrl-TJ"},  {0x0429, u"fa-IR"},
    {0x042A, u"vi-VN"},       {0x042B, u"hy-AM"},
    {0x042C, u"az-Latn-AZ"},  {0x042D, u"eu-ES"},
    {0x042E, u"hsb-DE"},      {0x042F, u"mk-MK"},
    {0x0432, u"tn-ZA"},       {0x0434, u"xh-ZA"},
    {0x0435, u"zu-ZA"},       {0x0436, u"af-ZA"},
    {0x0437, u"ka-GE"},       {0x0438, u"fo-FO"},
    {0x0439, u"hi-IN"},       {0x043A, u"mt-MT"},
    {0x043B, u"se-NO"},       {0x043E, u"ms-MY"},
    {0x043F, u"kk-KZ"},       {0x0440, u"ky-KG"},
    {0x0441, u"sw-KE"},       {0x0442, u"tk-TM"},
    {0x0443, u"uz-Latn-UZ"},  {0x0444, u"tt-RU"},
    {0x0445, u"bn-IN"},       {0x0446, u"pa-IN"},
    {0x0447, u"gu-IN"},       {0x0448, u"or-IN"},
    {0x0449, u"ta-IN"},       {0x044A, u"te-IN"},
    {0x044B, u"kn-IN"},       {0x044C, u"ml-IN"},
    {0x044D, u"as-IN"},       {0x044E, u"mr-IN"},
    {0x044F, u"sa-IN"},       {0x0450, u"mn-MN"},
    {0x0451, u"bo-CN"},       {0x0452, u"cy-GB"},
    {0x0453, u"km-KH"},       {0x0454, u"lo-LA"},
    {0x0456, u"gl-ES"},       {0x0457, u"kok-IN"},
    {0x045A, u"syr-SY"},      {0x045B, u"si-LK"},
    {0x045C, u"chr-Cher-US"}, {0x045D, u"iu-Cans-CA"},
    {0x045E, u"am-ET"},       {0x0461, u"ne-NP"},
    {0x0462, u"fy-NL"},       {0x0463, u"ps-AF"},
    {0x0464, u"fil-PH"},      {0x0465, u"dv-MV"},
    {0x0468, u"ha-Latn-NG"},  {0x046A, u"yo-NG"},
    {0x046B, u"quz-BO"},      {0x046C, u"nso-ZA"},
    {0x046D, u"ba-RU"},       {0x046E, u"lb-LU"},
    {0x046F, u"kl-GL"},       {0x0470, u"ig-NG"},
    {0x0473, u"ti-ET"},       {0x0475, u"haw-US"},
    {0x0478, u"ii-CN"},       {0x047A, u"arn-CL"},
    {0x047C, u"moh-CA"},      {0x047E, u"br-FR"},
    {0x0480, u"ug-CN"},       {0x0481, u"mi-NZ"},
    {0x0482, u"oc-FR"},       {0x0483, u"co-FR"},
    {0x0484, u"gsw-FR"},      {0x0485, u"sah-RU"},
    {0x0486, u"quc-Latn-GT"}, {0x0487, u"rw-RW"},
    {0x0488, u"wo-SN"},       {0x048C, u"prs-AF"},
    {0x0491, u"gd-GB"},       {0x0492, u"ku-Arab-IQ"},
    {0x0801, u"ar-IQ"},       {0x0803, u"ca-ES-valencia"},
    {0x0804, u"zh-CN"},       {0x0807, u"de-CH"},
    {0x0809, u"en-GB"},       {0x080A, u"es-MX"},
    {0x080C, u"fr-BE"},       {0x0810, u"it-CH"},
    {0x0813, u"nl-BE"},       {0x0814, u"nn-NO"},
    {0x0816, u"pt-PT"},       {0x081A, u"sr-Latn-CS"},
    {0x081D, u"sv-FI"},       {0x082C, u"az-Cyrl-AZ"},
    {0x082E, u"dsb-DE"},      {0x0832, u"tn-BW"},
    {0x083B, u"se-SE"},       {0x083C, u"ga-IE"},
    {0x083E, u"ms-BN"},       {0x0843, u"uz-Cyrl-UZ"},
    {0x0845, u"bn-BD"},       {0x0846, u"pa-Arab-PK"},
    {0x0849, u"ta-LK"},       {0x0850, u"mn-Mong-CN"},
    {0x0859, u"sd-Arab-PK"},  {0x085D, u"iu-Latn-CA"},
    {0x085F, u"tzm-Latn-DZ"}, {0x0867, u"ff-Latn-SN"},
    {0x086B, u"quz-EC"},      {0x0873, u"ti-ER"},
    {0x0C01, u"ar-EG"},       {0x0C04, u"zh-HK"},
    {0x0C07, u"de-AT"},       {0x0C09, u"en-AU"},
    {0x0C0A, u"es-ES"},       {0x0C0C, u"fr-CA"},
    {0x0C1A, u"sr-Cyrl-CS"},  {0x0C3B, u"se-FI"},
    {0x0C6B, u"quz-PE"},      {0x1001, u"ar-LY"},
    {0x1004, u"zh-SG"},       {0x1007, u"de-LU"},
    {0x1009, u"en-CA"},       {0x100A, u"es-GT"},
    {0x100C, u"fr-CH"},       {0x101A, u"hr-BA"},
    {0x103B, u"smj-NO"},      {0x105F, u"tzm-Tfng-MA"},
    {0x1401, u"ar-DZ"},       {0x1404, u"zh-MO"},
    {0x1407, u"de-LI"},       {0x1409, u"en-NZ"},
    {0x140A, u"es-CR"},       {0x140C, u"fr-LU"},
    {0x141A, u"bs-Latn-BA"},  {0x143B, u"smj-SE"},
    {0x1801, u"ar-MA"},       {0x1809, u"en-IE"},
    {0x180A, u"es-PA"},       {0x180C, u"fr-MC"},
    {0x181A, u"sr-Latn-BA"},  {0x183B, u"sma-NO"},
    {0x1C01, u"ar-TN"},       {0x1C09, u"en-ZA"},
    {0x1C0A, u"es-DO"},       {0x1C1A, u"sr-Cyrl-BA"},
    {0x1C3B, u"sma-SE"},      {0x2001, u"ar-OM"},
    {0x2009, u"en-JM"},       {0x200A, u"es-VE"},
    {0x201A, u"bs-Cyrl-BA"},  {0x203B, u"sms-FI"},
    {0x2401, u"ar-YE"},       {0x2409, u"en-029"},
    {0x240A, u"es-CO"},       {0x241A, u"sr-Latn-RS"},
    {0x243B, u"smn-FI"},      {0x2801, u"ar-SY"},
    {0x2809, u"en-BZ"},       {0x280A, u"es-PE"},
    {0x281A, u"sr-Cyrl-RS"},  {0x2C01, u"ar-JO"},
    {0x2C09, u"en-TT"},       {0x2C0A, u"es-AR"},
    {0x2C1A, u"sr-Latn-ME"},  {0x3001, u"ar-LB"},
    {0x3009, u"en-ZW"},       {0x300A, u"es-EC"},
    {0x301A, u"sr-Cyrl-ME"},  {0x3401, u"ar-KW"},
    {0x3409, u"en-PH"},       {0x340A, u"es-CL"},
    {0x3801, u"ar-AE"},       {0x380A, u"es-UY"},
    {0x3C01, u"ar-BH"},       {0x3C0A, u"es-PY"},
    {0x4001, u"ar-QA"},       {0x4009, u"en-IN"},
    {0x400A, u"es-BO"},       {0x4409, u"en-MY"},
    {0x440A, u"es-SV"},       {0x4809, u"en-SG"},
    {0x480A, u"es-HN"},       {0x4C0A, u"es-NI"},
    {0x500A, u"es-PR"},       {0x540A, u"es-US"},
    {0x641A, u"bs-Cyrl"},     {0x681A, u"bs-Latn"},
    {0x6C1A, u"sr-Cyrl"},     {0x701A, u"sr-Latn"},
    {0x703B, u"smn"},         {0x742C, u"az-Cyrl"},
    {0x743B, u"sms"},         {0x7804, u"zh"},
    {0x7814, u"nn"},          {0x781A, u"bs"},
    {0x782C, u"az-Latn"},     {0x783B, u"sma"},
    {0x7843, u"uz-Cyrl"},     {0x7850, u"mn-Cyrl"},
    {0x785D, u"iu-Cans"},     {0x785F, u"tzm-Tfng"},
    {0x7C04, u"zh-Hant"},     {0x7C14, u"nb"},
    {0x7C1A, u"sr"},          {0x7C28, u"tg-Cyrl"},
    {0x7C2E, u"dsb"},         {0x7C3B, u"smj"},
    {0x7C43, u"uz-Latn"},     {0x7C46, u"pa-Arab"},
    {0x7C50, u"mn-Mong"},     {0x7C59, u"sd-Arab"},
    {0x7C5C, u"chr-Cher"},    {0x7C5D, u"iu-Latn"},
    {0x7C5F, u"tzm-Latn"},    {0x7C67, u"ff-Latn"},
    {0x7C68, u"ha-Latn"},     {0x7C92, u"ku-Arab"},
};

std::unique_ptr<std::unordered_map<int32_t, String>> FDictionary;

}  // namespace

void TdxCultureInfoHelper::Initialize() {
  FDictionary = std::make_unique<std::unordered_map<int32_t, String>>();
  FDictionary->reserve(std::size(kCultures));
  for (const TCultureEntry& e : kCultures) FDictionary->emplace(e.ID, e.Name);
}

void TdxCultureInfoHelper::Finalize() {
  FDictionary.reset();
}

bool TdxCultureInfoHelper::TryGetCultureName(int32_t ALocaleID, String& AName) {
  if (!FDictionary) return false;
  auto it = FDictionary->find(ALocaleID);
  if (it == FDictionary->end()) return false;
  AName = it->second;
  return true;
}

int32_t TdxCultureInfoHelper::Count() {
  return FDictionary ? static_cast<int32_t>(FDictionary->size()) : 0;
}

namespace dxCultureInfo {

void Initialize() {
  TdxCultureInfoHelper::Initialize();
}

void Finalize() {
  TdxCultureInfoHelper::Finalize();
}

}  // namespace dxCultureInfo

}  // namespace qd
