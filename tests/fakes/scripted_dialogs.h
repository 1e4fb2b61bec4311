#pragma once

#include "shell/dialogs.h"

#include <deque>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace varnemo::testing {

// The dialogs answered from a script that the test writes before it acts: each dialog takes the
// next answer of its kind, and a dialog without an answer left fails the test loudly. Every
// dialog shown is remembered.
class ScriptedDialogs : public Dialogs {
public:
    std::deque<std::string> fileAnswers;
    std::deque<std::string> saveAnswers;
    std::deque<std::string> folderAnswers;
    std::deque<bool> questionAnswers;

    std::vector<FileFilter> fileFilters;
    std::vector<std::string> folderTitles;
    std::vector<std::pair<std::string, std::string>> messages;   // text, title
    std::vector<std::pair<std::string, std::string>> questions;  // text, title

    std::string OpenFile(const FileFilter& filter) override
    {
        fileFilters.push_back(filter);
        return Next(fileAnswers, "open-file dialog");
    }
    std::string SaveFile(const FileFilter& filter) override
    {
        fileFilters.push_back(filter);
        return Next(saveAnswers, "save-file dialog");
    }
    std::string BrowseForFolder(const std::string& title) override
    {
        folderTitles.push_back(title);
        return Next(folderAnswers, "folder picker");
    }
    void Message(const std::string& text, const std::string& title) override { messages.emplace_back(text, title); }
    bool Ask(const std::string& text, const std::string& title) override
    {
        questions.emplace_back(text, title);
        return Next(questionAnswers, "question");
    }

private:
    template <class T>
    static T Next(std::deque<T>& answers, const char* dialog)
    {
        if (answers.empty())
            throw std::logic_error(std::string("the test left no answer for the ") + dialog);
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace varnemo::testing
