#include "world/RingBlender.h"

#include <GL/glew.h>

#include <string>

namespace {

// Weights of the slots current, current + 1 (three ticks old), + 2, + 3 (the previous tick):
// the accumulation path's load of the current slot (0.4) plus its four added weights.
const float WEIGHTS[4] = {0.4f + 0.6f / 4.0f * 0.2f, 0.6f / 4.0f * 0.8f, 0.6f / 4.0f, 0.6f / 2.0f};

// The slot as the fixed state draws it onto black: the alpha test GL_GREATER 0.1 with the
// reference as an 8-bit window holds it (26), then colour times alpha rounded to 8 bits. SRGB
// is defined before the source.
const char* const FRAGMENT_SOURCE = R"(
uniform sampler2D slot0;
uniform sampler2D slot1;
uniform sampler2D slot2;
uniform sampler2D slot3;
uniform vec4 weights;
vec3 decode(vec3 c) {
    return SRGB ? mix(c / 12.92, pow((c + 0.055) / 1.055, vec3(2.4)), step(0.04045, c)) : c;
}
vec3 encode(vec3 c) {
    return SRGB ? mix(c * 12.92, 1.055 * pow(c, vec3(1.0 / 2.4)) - 0.055, step(0.0031308, c))
                : c;
}
vec3 drawn(sampler2D slot) {
    vec4 t = texture2D(slot, gl_TexCoord[0].st);
    return t.a * 255.0 > 26.5 ? decode(floor(t.rgb * t.a * 255.0 + 0.5) / 255.0) : vec3(0.0);
}
void main() {
    vec3 sum = weights.x * drawn(slot0) + weights.y * drawn(slot1) + weights.z * drawn(slot2) +
               weights.w * drawn(slot3);
    gl_FragColor = vec4(encode(clamp(sum, 0.0, 1.0)), 1.0);
}
)";

GLuint CompileFragmentShader(bool srgbSum) {
    const std::string source =
        std::string("#define SRGB ") + (srgbSum ? "true" : "false") + "\n" + FRAGMENT_SOURCE;
    const char* text = source.c_str();
    const GLuint shader = glCreateShader(GL_FRAGMENT_SHADER);
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

}  // namespace

bool RingBlender::Build(bool srgbSum) {
    Release();
    if (!GLEW_VERSION_2_0) {
        return false;
    }
    const GLuint shader = CompileFragmentShader(srgbSum);
    if (shader == 0) {
        return false;
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, shader);
    glLinkProgram(program);
    glDeleteShader(shader);  // freed with the program
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        glDeleteProgram(program);
        return false;
    }
    m_program = program;
    glUseProgram(program);
    const char* const names[4] = {"slot0", "slot1", "slot2", "slot3"};
    for (int unit = 0; unit < 4; ++unit) {
        glUniform1i(glGetUniformLocation(program, names[unit]), unit);
    }
    m_weightsAt = glGetUniformLocation(program, "weights");
    glUniform4f(m_weightsAt, WEIGHTS[0], WEIGHTS[1], WEIGHTS[2], WEIGHTS[3]);
    glUseProgram(0);
    return true;
}

void RingBlender::Compose(const uint32_t textures[4], uint32_t slot, int width, int height) const {
    if (m_program == 0) {
        return;
    }
    for (uint32_t unit = 0; unit < 4; ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, textures[(slot + unit) % 4]);
    }
    glUseProgram(m_program);
    // The program writes every pixel once: no blending, no alpha test.
    glPushAttrib(GL_COLOR_BUFFER_BIT);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2i(0, 0);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2i(width, 0);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2i(width, height);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2i(0, height);
    glEnd();
    glPopAttrib();
    glUseProgram(0);
    for (uint32_t unit = 4; unit-- > 1;) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    glActiveTexture(GL_TEXTURE0);
}

void RingBlender::Release() {
    if (m_program != 0) {
        glDeleteProgram(m_program);
        m_program = 0;
    }
}
