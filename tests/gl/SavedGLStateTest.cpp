// The explicit save and restore that stands in for glPushAttrib: every part named comes back
// as it was, whichever way it was set before, and a part not named is left as changed.
#include "support/GLWindow.h"

#include "resources/GLApi.h"
#include "resources/SavedGLState.h"

namespace {

GLuint NewTexture() {
    GLuint name = 0;
    glGenTextures(1, &name);
    return name;
}

}  // namespace

TEST_F(GLTest, SavedGLStatePutsBackTheViewportCapabilitiesAndTextureAsTheyWere) {
    // The shared window's state, put back by hand at the end for the tests after this one.
    GLint windowViewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, windowViewport);
    const GLboolean windowBlend = glIsEnabled(GL_BLEND);
    const GLboolean windowAlphaTest = glIsEnabled(GL_ALPHA_TEST);
    const GLuint first = NewTexture();
    const GLuint second = NewTexture();
    for (const bool on : {true, false}) {
        glViewport(3, 5, 200, 100);
        if (on) {
            glEnable(GL_BLEND);
            glDisable(GL_ALPHA_TEST);
        } else {
            glDisable(GL_BLEND);
            glEnable(GL_ALPHA_TEST);
        }
        glBindTexture(GL_TEXTURE_2D, first);
        {
            const SavedGLState saved(SavedGLState::kViewport | SavedGLState::kBlendAlphaTest |
                                     SavedGLState::kTextureBinding);
            glViewport(0, 0, 16, 16);
            glEnable(on ? GL_ALPHA_TEST : GL_BLEND);
            glDisable(on ? GL_BLEND : GL_ALPHA_TEST);
            glBindTexture(GL_TEXTURE_2D, second);
        }
        GLint viewport[4] = {0, 0, 0, 0};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[0], 3);
        EXPECT_EQ(viewport[1], 5);
        EXPECT_EQ(viewport[2], 200);
        EXPECT_EQ(viewport[3], 100);
        EXPECT_EQ(glIsEnabled(GL_BLEND) == GL_TRUE, on);
        EXPECT_EQ(glIsEnabled(GL_ALPHA_TEST) == GL_TRUE, !on);
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<GLuint>(bound), first);
    }
    // Only the viewport saved: the binding changed inside stays.
    {
        const SavedGLState saved(SavedGLState::kViewport);
        glBindTexture(GL_TEXTURE_2D, second);
    }
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), second);
    glDeleteTextures(1, &first);
    glDeleteTextures(1, &second);
    glViewport(windowViewport[0], windowViewport[1], windowViewport[2], windowViewport[3]);
    (windowBlend ? glEnable : glDisable)(GL_BLEND);
    (windowAlphaTest ? glEnable : glDisable)(GL_ALPHA_TEST);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
