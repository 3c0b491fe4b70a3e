// Animation sets: the fuzzed bytes become an animation set file. Every action the file names
// is then asked for its frame at a few clocks, looping and not, and for its length; unknown
// actions are asked too. The animations are unloaded after each input.

#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzHome.h"
#include "FuzzWorld.h"
#include "core/XmlRead.h"
#include "resources/CAnimation.h"
#include "resources/CAnimationManager.h"

namespace {

const char* const kFile = "fuzz-input.xml";
constexpr int kMaxActions = 16;

const uint32_t kClocks[] = {0u,    1u,     31u,         99u,         100u,        250u,
                            1000u, 65535u, 0x7fffffffu, 0x80000000u, 0xfffffffeu, 0xffffffffu};

void Play(const CAnimation& animation, const std::string& action) {
    for (uint32_t clock : kClocks) {
        animation.GetFrame(action, clock, true);
        animation.GetFrame(action, clock, false);
    }
    animation.GetActionLength(action);
}

void PlayNamedActions() {
    TiXmlDocument document(kFile);
    int budget = kMaxActions;
    xml::ForEachChild(fuzz::LoadSet(document, "animationset"), "animation",
                      [&budget](const TiXmlElement* element) {
                          const char* name = xml::OptionalText(element, "name");
                          const CAnimation* animation =
                              CAnimationManager::GetInstance()->GetAnimation(name ? name : "");
                          if (!animation) {
                              return;
                          }
                          Play(*animation, "no such action");
                          xml::ForEachChild(element, "action", [&](const TiXmlElement* action) {
                              const char* actionName = xml::OptionalText(action, "name");
                              if (budget-- > 0) {
                                  Play(*animation, actionName ? actionName : "");
                              }
                          });
                      });
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::EnterHome(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::HomeScope home;
    fuzz::WriteFile(kFile, data, size);
    CAnimationManager::GetInstance()->LoadAnimationSet(kFile);
    PlayNamedActions();
    CAnimationManager::GetInstance()->UnloadAll();
    return 0;
}
