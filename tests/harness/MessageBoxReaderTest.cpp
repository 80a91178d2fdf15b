// The message box reader must tell every button set and default button the
// installer can show from every other, or a box changed to another set, or
// whose default moved to Cancel, would pass the tests that read it.
#include <gtest/gtest.h>

#include <set>

#include "MessageBoxCatcher.h"

TEST(MessageBoxReader, TellsEverySetDefaultButtonAndIcon) {
    const struct {
        UINT style;
        int answer;
    } boxes[] = {
        {MB_OK | MB_ICONERROR, IDOK},
        {MB_OKCANCEL | MB_ICONEXCLAMATION, IDOK},
        {MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNO | MB_ICONWARNING, IDYES},
        {MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2, IDNO},
        {MB_YESNOCANCEL | MB_ICONQUESTION, IDYES},
        {MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {MB_RETRYCANCEL | MB_ICONINFORMATION, IDRETRY},
        {MB_RETRYCANCEL | MB_ICONERROR | MB_DEFBUTTON2, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_ICONERROR, IDABORT},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
        {MB_ABORTRETRYIGNORE | MB_ICONWARNING | MB_DEFBUTTON3, IDIGNORE},
    };
    std::vector<int> answers;
    for (const auto& box : boxes)
        answers.push_back(box.answer);
    MessageBoxCatcher catcher(answers);
    for (const auto& box : boxes)
        EXPECT_EQ(box.answer, MessageBoxA(nullptr, "text", "caption", box.style)) << box.style;

    std::vector<CaughtBox> caught = catcher.boxes();
    ASSERT_EQ(sizeof boxes / sizeof *boxes, caught.size());
    std::set<UINT> distinct;
    for (size_t i = 0; i < caught.size(); ++i) {
        EXPECT_EQ(boxes[i].style, caught[i].style) << i;
        distinct.insert(caught[i].style);
    }
    EXPECT_EQ(caught.size(), distinct.size());
}
