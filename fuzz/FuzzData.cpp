#include "FuzzData.h"

namespace fuzz {

const unsigned char kSheetPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0x20, 0x08, 0x06, 0x00, 0x00, 0x00, 0x73,
    0x7a, 0x7a, 0xf4, 0x00, 0x00, 0x00, 0x3c, 0x49, 0x44, 0x41, 0x54, 0x78, 0xda, 0xed, 0xd4,
    0x31, 0x0a, 0x00, 0x30, 0x08, 0x03, 0xc0, 0xfc, 0xff, 0xd3, 0xed, 0x13, 0x1c, 0xa4, 0x45,
    0xf0, 0x04, 0xc7, 0x90, 0x9b, 0x92, 0x53, 0x5f, 0x8a, 0x6f, 0xe5, 0x03, 0x00, 0x00, 0x30,
    0x01, 0xf0, 0xb4, 0xa0, 0x1b, 0x06, 0x00, 0x00, 0xf8, 0x02, 0xb0, 0x84, 0x00, 0x00, 0x00,
    0x96, 0x10, 0x00, 0x60, 0x37, 0xe0, 0x02, 0xc4, 0x28, 0xf2, 0xc4, 0xe9, 0x5e, 0x50, 0x41,
    0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
const size_t kSheetPngSize = sizeof(kSheetPng);

// The layouts follow the seed data, with the large backdrops cut down so that a contact test
// stays cheap.
const SpriteLayout kSprites[] = {
    {"ship", 64, 32, 1, 4},
    {"dart", 48, 32, 1, 2},
    {"weaver", 48, 40, 1, 4},
    {"spinner", 40, 40, 1, 4},
    {"brute", 64, 48, 1, 2},
    {"shot_player", 24, 8, 1, 1},
    {"shot_enemy", 14, 14, 1, 1},
    {"explosion", 32, 32, 4, 8},
    {"space", 256, 128, 1, 1},
    {"ridges", 256, 64, 1, 1},
    {"terrain", 512, 100, 1, 1},
    {"font_small", 12, 16, 16, 51},
    {"font_big", 24, 32, 16, 51},
    {"buttons", 176, 48, 3, 9},
    {"smallbuttons", 40, 40, 3, 6},
    {"life", 30, 16, 1, 1},
    {"health", 10, 18, 1, 1},
    {"panel_title", 160, 60, 1, 1},
    {"panel_paused", 120, 40, 1, 1},
    {"panel_gameover", 120, 40, 1, 1},
    {"panel_complete", 120, 40, 1, 1},
    {"hudbar", 256, 48, 1, 1},
    {"shade", 8, 8, 1, 1},
    {"enemy", 48, 48, 2, 2},
    {"shot", 8, 4, 1, 1},
    {"back", 256, 128, 1, 1},
    {"middle", 256, 64, 1, 1},
    {"front", 256, 48, 1, 1},
    {"button", 32, 32, 3, 3},
    {"boom", 32, 32, 1, 1},
    {"clear", 64, 64, 1, 1},
    {"icons", 16, 16, 2, 2},
    {"glyphs", 8, 8, 16, 16},
    {"panels", 64, 64, 4, 4},
};
const size_t kSpriteCount = sizeof(kSprites) / sizeof(kSprites[0]);

std::string SpriteSetXml() {
    std::string xml = "<spriteset basedir=\"images\">\n";
    for (size_t i = 0; i < kSpriteCount; ++i) {
        const SpriteLayout& s = kSprites[i];
        const int rows = (s.numFrames + s.columns - 1) / s.columns;
        xml += "<sprite name=\"" + std::string(s.name) + "\"><image swidth=\"" +
               std::to_string(s.frameWidth) + "\" sheight=\"" + std::to_string(s.frameHeight) +
               "\" numframes=\"" + std::to_string(s.numFrames) + "\" rows=\"" +
               std::to_string(rows) + "\" columns=\"" + std::to_string(s.columns) + "\">" + s.name +
               ".png</image></sprite>\n";
    }
    return xml + "</spriteset>\n";
}

const char* const kAnimationSetXml = R"(<animationset>
<animation name="ship"><action name="fly" totaltime="240">
  <keyframe frameid="0" time="0"/><keyframe frameid="1" time="60"/>
  <keyframe frameid="2" time="120"/><keyframe frameid="3" time="180"/></action></animation>
<animation name="dart"><action name="fly" totaltime="160">
  <keyframe frameid="0" time="0"/><keyframe frameid="1" time="80"/></action></animation>
<animation name="weaver"><action name="fly" totaltime="600">
  <keyframe frameid="0" time="0"/><keyframe frameid="3" time="450"/></action></animation>
<animation name="spinner"><action name="spin" totaltime="240">
  <keyframe frameid="0" time="0"/><keyframe frameid="2" time="120"/></action></animation>
<animation name="brute"><action name="fly" totaltime="0">
  <keyframe frameid="1" time="0"/></action></animation>
<animation name="enemy"><action name="fly" totaltime="200">
  <keyframe frameid="0" time="0"/><keyframe frameid="1" time="100"/></action></animation>
<animation name="explosion">
  <action name="burst" totaltime="560">
    <keyframe frameid="0" time="0"/><keyframe frameid="4" time="280"/>
    <keyframe frameid="7" time="490"/></action>
  <action name="explode" totaltime="400">
    <keyframe frameid="0" time="0"/><keyframe frameid="9" time="300"/></action></animation>
<animation name="boom"><action name="explode" totaltime="300">
  <keyframe frameid="0" time="0"/></action></animation>
</animationset>
)";

const char* const kFontSetXml = R"(<fontset>
<font name="small" sprite="font_small">
  <entry char="A" frame="0"/><entry char="S" frame="18"/><entry char="0" frame="26"/>
  <entry char="1" frame="27"/><entry char="9" frame="35"/><entry char=" " frame="50"/>
  <entry char="-" frame="60"/></font>
<font name="big" sprite="font_big">
  <entry char="0" frame="26"/><entry char="5" frame="31"/><entry char="6" frame="32"/></font>
<font name="digits" sprite="glyphs">
  <entry char="0" frame="0"/><entry char="1" frame="1"/><entry char="2" frame="2"/>
  <entry char="3" frame="3"/><entry char="6" frame="6"/><entry char="-" frame="10"/></font>
</fontset>
)";

const char* const kLayerSetXml = R"(<layerset>
<layer name="title">
  <widget type="staticimage" name="panel"><position x="100" y="300"/><scale x="1" y="1"/>
    <sprite name="panel_title" frame="0"/></widget>
  <widget type="staticimage" name="spin"><position x="10" y="10"/><scale x="1" y="1"/>
    <sprite name="spinner" frame="0"/><animation name="spinner" action="spin"/></widget>
  <widget type="button" name="start" event="pause" layer="hud"><position x="400" y="200"/>
    <sprite name="buttons" normalFrame="0" hoverFrame="1" depressFrame="2"/></widget>
  <widget type="button" name="quit" event="quit"><position x="400" y="100"/>
    <sprite name="buttons" normalFrame="3" hoverFrame="4" depressFrame="5"/></widget>
  <widget type="text" name="hint" text="SA 19" font="small"><position x="8" y="8"/>
    <scale x="1" y="1"/></widget>
</layer>
<layer name="hud">
  <widget type="meter" name="health" target="health" ratio="10" gap="2">
    <position x="8" y="488"/><scale x="1" y="1"/><sprite name="health" frame="0"/></widget>
  <widget type="meter" name="lives" target="l" vertical="true">
    <position x="8" y="464"/><scale x="1" y="1"/><sprite name="life" frame="0"/></widget>
  <widget type="meter" name="score" target="points" font="big" align="right">
    <position x="1000" y="500"/><scale x="1" y="1"/></widget>
  <widget type="button" name="pause" event="pause" layer="paused"><position x="940" y="470"/>
    <sprite name="smallbuttons" normalFrame="0" hoverFrame="1" depressFrame="2"/></widget>
</layer>
<layer name="paused">
  <widget type="button" name="resume" event="pause" layer="hud"><position x="400" y="200"/>
    <sprite name="buttons" normalFrame="0" hoverFrame="1" depressFrame="2"/></widget>
</layer>
<layer name="gameover">
  <widget type="staticimage" name="over"><position x="400" y="200"/><scale x="1" y="1"/>
    <sprite name="panel_gameover" frame="0"/></widget>
</layer>
<layer name="complete">
  <widget type="staticimage" name="done"><position x="400" y="200"/><scale x="1" y="1"/>
    <sprite name="panel_complete" frame="0"/></widget>
</layer>
</layerset>
)";

const char* const kLevelXml = R"(<level name="fixed">
<camera><position x="0" y="0"/><velocity x="1" y="0"/><size x="1024" y="512"/></camera>
<player><position x="100" y="240"/><scale x="1" y="1"/><velocity x="0" y="0"/>
  <sprite name="ship" frame="0"/><animation name="ship" action="fly"/>
  <projectile sprite="shot_player" speed="12"/></player>
<bg><position x="0" y="0"/>
  <sprite back="space" bspeed="1" middle="ridges" mspeed="2" front="terrain" fspeed="3"/></bg>
<enemy name="a" time="0" health="40"><behaviour type="oscillate" turnspeed="0.1"/>
  <projectile shoots="yes" delay="100" speed="6" sprite="shot_enemy"/>
  <position x="-900" y="240"/><scale x="1" y="1"/><direction x="-1" y="0" speed="1"/>
  <sprite name="dart" frame="0"/><animation name="dart" action="fly"/></enemy>
<enemy name="b" time="500" health="80"><behaviour type="curve" turnspeed="0.01"/>
  <projectile shoots="no"/><position x="0" y="100"/><scale x="1" y="1"/>
  <direction x="-1" y="0" speed="4"/><sprite name="brute" frame="0"/></enemy>
</level>
)";

const char* const kExplosionXml =
    R"(<explosioncfg sprite="explosion" anim="explosion" action="burst"/>)";

}  // namespace fuzz
