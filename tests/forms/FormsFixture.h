// Every forms test runs with an application object and a modal handler that fails the test
// when a box is left unanswered.
#pragma once
#include <gtest/gtest.h>
#include <QApplication>
#include <QCoreApplication>
#include <deque>
#include <functional>
#include "platform/forms/Modal.h"
#include "platform/messages/Application.h"

class FormsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUnansweredModalReporter([](const AnsiString& description) { ADD_FAILURE() << description; });
        SetModalHandler([this](ModalBox& box) {
            ASSERT_FALSE(Answers.empty()) << "no answer prepared for \"" << box.Caption() << "\"";
            auto answer = std::move(Answers.front());
            Answers.pop_front();
            answer(box);
        });
    }
    void TearDown() override
    {
        EXPECT_TRUE(Answers.empty()) << Answers.size() << " prepared answers were not used";
        SetModalHandler(nullptr);
        SetUnansweredModalReporter(nullptr);
    }
    static void Flush() { QCoreApplication::processEvents(); }

    TApplication App;
    std::deque<std::function<void(ModalBox&)>> Answers;
};
