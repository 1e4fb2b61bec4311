#pragma once

#include "common/program_state.h"
#include "notes/notes.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace varnemo {

// One item of a document and where its value comes from, so that a writer is a table that
// pairs each Notes item with the field of the writer's values that fills it.
template <class Fields>
struct ItemRule {
    std::string item;
    std::function<notes::ItemValue(const Fields&, const ProgramState&)> value;
};

template <class Fields>
ItemRule<Fields> Fixed(std::string item, std::string text)
{
    return {std::move(item), [text = std::move(text)](const Fields&, const ProgramState&) { return text; }};
}

template <class Fields, class Value>
ItemRule<Fields> Field(std::string item, Value Fields::*field)
{
    return {std::move(item), [field](const Fields& fields, const ProgramState&) { return fields.*field; }};
}

// A value worked out of the fields, such as the date part of a date-time.
template <class Fields, class Compute>
ItemRule<Fields> Computed(std::string item, Compute compute)
{
    return {std::move(item), [compute](const Fields& fields, const ProgramState&) { return compute(fields); }};
}

// The program-wide excludeFromView list.
template <class Fields>
ItemRule<Fields> ExcludeFromView()
{
    return {"excludeFromView",
            [](const Fields&, const ProgramState& state) { return state.ExcludeFromViewList(); }};
}

// The items of one document, in the order they are assigned.
using ItemList = std::vector<std::pair<std::string, notes::ItemValue>>;

template <class Fields>
ItemList ItemsByRules(const std::vector<ItemRule<Fields>>& rules, const Fields& fields, const ProgramState& state)
{
    ItemList items;
    items.reserve(rules.size());
    for (const auto& rule : rules)
        items.emplace_back(rule.item, rule.value(fields, state));
    return items;
}

}  // namespace varnemo
