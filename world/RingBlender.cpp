#include "world/RingBlender.h"

#include <string>

#include "resources/GLApi.h"
#include "resources/SavedGLState.h"
#include "world/WindowQuad.h"

namespace {

// Weights of the slots current, current + 1 (three ticks old), + 2, + 3 (the previous tick):
// the accumulation path's load of the current slot (0.4) plus its four added weights.
const float WEIGHTS[4] = {0.4f + 0.6f / 4.0f * 0.2f, 0.6f / 4.0f * 0.8f, 0.6f / 4.0f, 0.6f / 2.0f};

// What the programs share. decode and encode are the sRGB curves (IEC 61966-2-1) as
// polynomials: llvmpipe and other software drivers run pow() through their general float
// path, several times slower than multiply-adds, and every operation counts in a program
// run for each pixel of the window. decode is fitted on the 245 8-bit values of its power
// segment (relative error under 0.81 %), encode on sqrt(c) over its power segment (under 0.09
// of an 8-bit level); together they move a composed pixel by less than a fifth of a level
// from the exact curves. The linear segments are exact.
//
// drawn: the slot as the fixed state draws it onto black: the alpha test GL_GREATER 0.1 with
// the reference as an 8-bit window holds it (26), then colour times alpha. The fixed state
// rounds that product to 8 bits; left unrounded it is at most half a level away before it is
// weighted. The sums never leave 0 to 1 (the weights add up to 1), so they are not clamped.
// SRGB is defined before the source.
const char* const COMMON_SOURCE = R"(
vec3 decode(vec3 c) {
    if (!SRGB) return c;
    vec3 power = 0.0010870037 + c * (0.0277875000 + c * (0.5621145498 + c * (0.5262452276 +
                 c * -0.1181297992)));
    return mix(c / 12.92, power, step(0.04045, c));
}
vec3 encode(vec3 c) {
    if (!SRGB) return c;
    vec3 s = sqrt(c);
    vec3 power = -0.0416483619 + s * (1.5639395515 + s * (-1.8270792014 + s * (3.6933027061 +
                 s * (-4.7214722137 + s * (3.2374716274 + s * -0.9048634390)))));
    return mix(c * 12.92, power, step(0.0031308, c));
}
vec3 drawn(sampler2D slot) {
    vec4 t = texture2D(slot, gl_TexCoord[0].st);
    return t.a > 26.5 / 255.0 ? decode(t.rgb * t.a) : vec3(0.0);
}
)";

// The sum of the three older slots, encoded as the window is (8 bits per channel keep the
// dark end of an sRGB-encoded sum as well as the window does).
const char* const SUM_SOURCE = R"(
uniform sampler2D slot1;
uniform sampler2D slot2;
uniform sampler2D slot3;
uniform vec3 weights;
void main() {
    vec3 sum = weights.x * drawn(slot1) + weights.y * drawn(slot2) + weights.z * drawn(slot3);
    gl_FragColor = vec4(encode(sum), 1.0);
}
)";

// The frame in one pass: all four slots, encoded.
const char* const WHOLE_SOURCE = R"(
uniform sampler2D slot0;
uniform sampler2D slot1;
uniform sampler2D slot2;
uniform sampler2D slot3;
uniform vec4 weights;
void main() {
    vec3 sum = weights.x * drawn(slot0) + weights.y * drawn(slot1) + weights.z * drawn(slot2) +
               weights.w * drawn(slot3);
    gl_FragColor = vec4(encode(sum), 1.0);
}
)";

// The frame: the current slot plus the kept sum, encoded.
const char* const FRAME_SOURCE = R"(
uniform sampler2D slot0;
uniform sampler2D older;
uniform float weight;
void main() {
    vec3 sum = weight * drawn(slot0) + decode(texture2D(older, gl_TexCoord[0].st).rgb);
    gl_FragColor = vec4(encode(sum), 1.0);
}
)";

// The fixed-function vertex stage as a shader, for WebGL, which links no program without one
// (the desktop's programs have only the fragment stage). The browser's OpenGL emulation feeds
// ftransform() and gl_MultiTexCoord0 from the fixed state's matrices and vertices.
const char* const WEB_VERTEX_SOURCE = R"(
void main() {
    gl_Position = ftransform();
    gl_TexCoord[0] = gl_MultiTexCoord0;
}
)";

// Compiles one shader of type from text; 0 when the driver refuses it.
GLuint CompileShader(GLenum type, const char* text) {
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

// Compiles and links one program; 0 when the driver refuses it.
GLuint LinkProgram(bool srgbSum, const char* body) {
    const std::string source =
        std::string("#define SRGB ") + (srgbSum ? "true" : "false") + "\n" + COMMON_SOURCE + body;
    const GLuint shader = CompileShader(GL_FRAGMENT_SHADER, source.c_str());
    const GLuint vertexShader =
        GLIMMERAX_WEBGL ? CompileShader(GL_VERTEX_SHADER, WEB_VERTEX_SOURCE) : 0;
    if (shader == 0 || (GLIMMERAX_WEBGL && vertexShader == 0)) {
        glDeleteShader(shader);
        glDeleteShader(vertexShader);
        return 0;
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, shader);
    if (vertexShader != 0) {
        glAttachShader(program, vertexShader);
    }
    glLinkProgram(program);
    glDeleteShader(shader);  // freed with the program
    glDeleteShader(vertexShader);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

// Gives each named sampler of program the texture unit of its place in names.
void BindSamplers(GLuint program, const char* const* names, int count) {
    for (int unit = 0; unit < count; ++unit) {
        glUniform1i(glGetUniformLocation(program, names[unit]), unit);
    }
}

// One window-sized quad with the ring's texture coordinates, written without blending or
// alpha test.
void DrawWholeQuad(int width, int height) {
    const SavedGLState saved(SavedGLState::kBlendAlphaTest);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    DrawWindowQuad(width, height);
}

// Binds textures to units 0 .. count - 1 and leaves unit 0 active.
void BindUnits(const uint32_t* textures, int count) {
    for (int unit = count; unit-- > 0;) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, textures[unit]);
    }
}

// Unbinds units 1 .. count - 1 and leaves unit 0 active with its binding.
void UnbindUnits(int count) {
    for (int unit = count; unit-- > 1;) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    glActiveTexture(GL_TEXTURE0);
}

}  // namespace

bool RingBlender::Build(bool srgbSum, int width, int height) {
    Release();
    if (!GLEW_VERSION_2_0) {
        return false;
    }
    m_frameProgram = LinkProgram(srgbSum, FRAME_SOURCE);
    m_sumProgram = LinkProgram(srgbSum, SUM_SOURCE);
    m_wholeProgram = LinkProgram(srgbSum, WHOLE_SOURCE);
    if (m_frameProgram == 0 || m_sumProgram == 0 || m_wholeProgram == 0) {
        Release();
        return false;
    }
    if (!BuildSum(width, height)) {
        ReleaseSum();  // every frame then composes in one pass
    }
    const char* const frameNames[2] = {"slot0", "older"};
    glUseProgram(m_frameProgram);
    BindSamplers(m_frameProgram, frameNames, 2);
    glUniform1f(glGetUniformLocation(m_frameProgram, "weight"), WEIGHTS[0]);
    const char* const sumNames[3] = {"slot1", "slot2", "slot3"};
    glUseProgram(m_sumProgram);
    BindSamplers(m_sumProgram, sumNames, 3);
    glUniform3f(glGetUniformLocation(m_sumProgram, "weights"), WEIGHTS[1], WEIGHTS[2], WEIGHTS[3]);
    const char* const wholeNames[4] = {"slot0", "slot1", "slot2", "slot3"};
    glUseProgram(m_wholeProgram);
    BindSamplers(m_wholeProgram, wholeNames, 4);
    glUniform4f(glGetUniformLocation(m_wholeProgram, "weights"), WEIGHTS[0], WEIGHTS[1], WEIGHTS[2],
                WEIGHTS[3]);
    glUseProgram(0);
    return true;
}

// The sum texture and its framebuffer; false when the framebuffer cannot be drawn into.
bool RingBlender::BuildSum(int width, int height) {
    GLuint name = 0;
    glGenTextures(1, &name);
    m_sumTexture = name;
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGenFramebuffersEXT(1, &name);
    m_sumBuffer = name;
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, name);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D,
                              m_sumTexture, 0);
    const bool complete =
        glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_COMPLETE_EXT;
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    m_sumSlot = -1;
    return complete;
}

void RingBlender::MakeSum(const uint32_t textures[4], uint32_t slot, int width, int height) {
    const uint32_t older[3] = {textures[(slot + 1) % 4], textures[(slot + 2) % 4],
                               textures[(slot + 3) % 4]};
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, m_sumBuffer);
    {
        // The sum texture is drawn whole, wherever the window's picture lies.
        const SavedGLState saved(SavedGLState::kViewport);
        glViewport(0, 0, width, height);
        BindUnits(older, 3);
        glUseProgram(m_sumProgram);
        DrawWholeQuad(width, height);
        glUseProgram(0);
        UnbindUnits(3);
    }
    // The window's framebuffer keeps its own draw buffer.
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    m_sumSlot = static_cast<int>(slot);
}

void RingBlender::Compose(const uint32_t textures[4], uint32_t slot, int width, int height) {
    if (m_wholeProgram == 0) {
        return;
    }
    slot %= 4;
    if (static_cast<int>(slot) != m_countedSlot) {
        // A new tick: its older slots differ from those of any sum kept before, even one made
        // for the same slot number a full turn of the ring ago.
        m_sumSlot = -1;
        m_previousFrames = m_framesOfSlot;
        m_framesOfSlot = 0;
        m_countedSlot = static_cast<int>(slot);
    }
    ++m_framesOfSlot;
    const bool keep = m_framesOfSlot >= m_keepAfterFrames || m_previousFrames >= m_keepAfterFrames;
    if (m_sumSlot != static_cast<int>(slot) && keep && m_sumBuffer != 0) {
        MakeSum(textures, slot, width, height);
    }
    if (m_sumSlot == static_cast<int>(slot)) {
        const uint32_t units[2] = {textures[slot], m_sumTexture};
        BindUnits(units, 2);
        glUseProgram(m_frameProgram);
    } else {
        const uint32_t units[4] = {textures[slot], textures[(slot + 1) % 4],
                                   textures[(slot + 2) % 4], textures[(slot + 3) % 4]};
        BindUnits(units, 4);
        glUseProgram(m_wholeProgram);
    }
    DrawWholeQuad(width, height);
    glUseProgram(0);
    UnbindUnits(4);
}

void RingBlender::Release() {
    for (const uint32_t program : {m_frameProgram, m_sumProgram, m_wholeProgram}) {
        if (program != 0) {
            glDeleteProgram(program);
        }
    }
    ReleaseSum();
    Forget();
}

void RingBlender::ReleaseSum() {
    if (m_sumBuffer != 0) {
        const GLuint name = m_sumBuffer;
        glDeleteFramebuffersEXT(1, &name);
        m_sumBuffer = 0;
    }
    if (m_sumTexture != 0) {
        const GLuint name = m_sumTexture;
        glDeleteTextures(1, &name);
        m_sumTexture = 0;
    }
    m_sumSlot = -1;
}

void RingBlender::Forget() {
    m_frameProgram = 0;
    m_sumProgram = 0;
    m_wholeProgram = 0;
    m_sumTexture = 0;
    m_sumBuffer = 0;
    m_sumSlot = -1;
    m_countedSlot = -1;
    m_framesOfSlot = 0;
    m_previousFrames = 0;
}
