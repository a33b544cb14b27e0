// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PracticeRules.h"

#include <algorithm>
#include <limits>

namespace tarvelo {

namespace {
std::size_t slot(std::int32_t breed) {
    return static_cast<std::size_t>(breed);
}

bool inCatalogue(std::int32_t breed) {
    return breed >= 0 && breed < breedCount;
}
} // namespace

PracticeRules::Item PracticeRules::newItem(std::int32_t breed) {
    Item item;
    item.breed = breed;
    return item;
}

PracticeRules::PracticeRules(std::vector<int> breeds, std::vector<std::vector<int>> photos,
                             const LearningMemory& memory, LocalDate today, std::uint32_t seed)
    : photos_(std::move(photos)), photosShown_(slot(breedCount)), lastAskedOf_(slot(breedCount), 0),
      answeredOnce_(slot(breedCount), false), memory_(memory) {
    random_.seed(seed);
    photos_.resize(slot(breedCount));
    for (auto& list : photos_) {
        if (list.empty()) {
            list.push_back(0);
        }
    }
    // Every breed joins at most once, so items_ never moves in memory.
    items_.reserve(slot(breedCount));
    for (const int breed : breeds) {
        if (inCatalogue(breed) && find(breed) == nullptr) {
            items_.push_back(newItem(breed));
        }
    }
    if (items_.empty()) {
        for (std::int32_t breed = 0; breed < breedCount; ++breed) {
            items_.push_back(newItem(breed));
        }
    }

    // Due breeds first, each part in a mixed order.
    const std::vector<int> dueList = memory_.dueBreeds(today);
    std::vector<std::int32_t> due;
    std::vector<std::int32_t> others;
    for (const Item& item : items_) {
        const bool isDue = std::find(dueList.begin(), dueList.end(), item.breed) != dueList.end();
        (isDue ? due : others).push_back(item.breed);
    }
    const auto shuffle = [this](std::vector<std::int32_t>& list) {
        for (std::size_t i = list.size(); i > 1; --i) {
            const auto j = slot(random_.draw(static_cast<std::int32_t>(i)));
            std::swap(list[i - 1], list[j]);
        }
    };
    shuffle(due);
    shuffle(others);
    // A stack: the first question at the back.
    firstOrder_.assign(others.rbegin(), others.rend());
    firstOrder_.insert(firstOrder_.end(), due.rbegin(), due.rend());
}

PracticeRules::Item* PracticeRules::find(std::int32_t breed) {
    const auto it = std::find_if(items_.begin(), items_.end(),
                                 [breed](const Item& item) { return item.breed == breed; });
    return it == items_.end() ? nullptr : &*it;
}

PracticeRules::Item& PracticeRules::join(std::int32_t breed) {
    if (Item* item = find(breed)) {
        return *item;
    }
    items_.push_back(newItem(breed));
    return items_.back();
}

// Asked within the next few questions; a missed breed still waits for the
// others its miss asks for first.
void PracticeRules::bringSoon(Item& item, std::int32_t question) {
    if (item.known || !item.asked) {
        item.dueAt = question + 1;
    }
    const std::int32_t latest = std::max(question + confusedWithin, item.dueAt);
    item.deadline = std::min(item.deadline.value_or(latest), latest);
}

std::int32_t PracticeRules::chooseBreed() {
    const std::int32_t question = answered_ + 1;
    if (const auto breed = urgentBreed(question)) {
        return *breed;
    }
    if (const auto breed = nextNewBreed()) {
        return *breed;
    }
    if (const auto breed = waitingBreed(question)) {
        return *breed;
    }
    return meanwhileBreed();
}

// A breed whose turn has come, the most urgent first.
std::optional<std::int32_t> PracticeRules::urgentBreed(std::int32_t question) const {
    const Item* urgent = nullptr;
    for (const Item& item : items_) {
        if (item.breed == lastBreed_ || !item.deadline || item.dueAt > question) {
            continue;
        }
        if (urgent == nullptr || *item.deadline < *urgent->deadline ||
            (*item.deadline == *urgent->deadline && item.dueAt < urgent->dueAt)) {
            urgent = &item;
        }
    }
    if (urgent != nullptr) {
        return urgent->breed;
    }
    return std::nullopt;
}

// Then one not asked yet.
std::optional<std::int32_t> PracticeRules::nextNewBreed() {
    while (!firstOrder_.empty()) {
        const std::int32_t breed = firstOrder_.back();
        const Item* item = find(breed);
        if (item != nullptr && !item->asked) {
            return breed;
        }
        firstOrder_.pop_back(); // asked early, by a confusion
    }
    return std::nullopt;
}

// Then a missed breed's second right answer, whose turn has come: kept for
// when no new breed is left, so that the last breeds missed have others to
// come between their questions.
std::optional<std::int32_t> PracticeRules::waitingBreed(std::int32_t question) const {
    const Item* waiting = nullptr;
    for (const Item& item : items_) {
        if (item.breed != lastBreed_ && !item.known && item.asked && !item.deadline &&
            item.dueAt <= question && (waiting == nullptr || item.dueAt < waiting->dueAt)) {
            waiting = &item;
        }
    }
    if (waiting != nullptr) {
        return waiting->breed;
    }
    return std::nullopt;
}

// Only breeds waiting for their turn are left: meanwhile one known already,
// the longest unasked, or else one from outside the practice.
std::int32_t PracticeRules::meanwhileBreed() {
    std::int32_t best = -1;
    const auto consider = [&](std::int32_t breed) {
        if (breed != lastBreed_ &&
            (best < 0 || lastAskedOf_[slot(breed)] < lastAskedOf_[slot(best)])) {
            best = breed;
        }
    };
    for (const Item& item : items_) {
        if (item.known) {
            consider(item.breed);
        }
    }
    if (best < 0) {
        for (std::int32_t breed = 0; breed < breedCount; ++breed) {
            if (find(breed) == nullptr) {
                consider(breed);
            }
        }
    }
    if (best < 0) {
        // Nothing else exists to ask; a waiting breed comes early rather than never.
        for (const Item& item : items_) {
            if (!item.known && item.breed != lastBreed_) {
                return item.breed;
            }
        }
        return items_.front().breed;
    }
    return best;
}

// A photograph this practice has not shown yet, else any but the last one shown.
std::int32_t PracticeRules::choosePhoto(std::int32_t breed) {
    const std::vector<int>& all = photos_[slot(breed)];
    std::vector<int>& shown = photosShown_[slot(breed)];
    std::vector<int> choices;
    for (const int photo : all) {
        if (std::find(shown.begin(), shown.end(), photo) == shown.end()) {
            choices.push_back(photo);
        }
    }
    if (choices.empty()) {
        choices = all;
        if (choices.size() > 1) {
            std::erase(choices, shown.back());
        }
        shown.clear();
    }
    const int photo = choices.size() == 1
                          ? choices.front()
                          : choices[slot(random_.draw(static_cast<std::int32_t>(choices.size())))];
    shown.push_back(photo);
    return photo;
}

PracticeQuestion PracticeRules::nextQuestion() {
    const std::int32_t question = answered_ + 1;
    const std::int32_t breed = chooseBreed();
    if (Item* item = find(breed)) {
        if (!item->asked) {
            item->asked = true;
            askedOrder_.push_back(breed);
            // A breed it was taken for before comes close after it.
            for (const int partner : memory_.confusedWith(breed)) {
                Item* other = find(partner);
                if (other != nullptr && !other->asked) {
                    bringSoon(*other, question);
                    break;
                }
            }
        }
        item->lastAskedAt = question;
        item->deadline.reset();
    }
    lastAskedOf_[slot(breed)] = question;
    lastBreed_ = breed;
    currentBreed_ = breed;
    return PracticeQuestion{breed, choosePhoto(breed)};
}

PracticeAnswer PracticeRules::answer(bool right, std::optional<std::int32_t> confusedWith) {
    PracticeAnswer result;
    if (!currentBreed_) {
        return result;
    }
    const std::int32_t breed = *currentBreed_;
    currentBreed_.reset();
    const std::int32_t question = ++answered_;
    result.right = right;
    result.firstOfBreed = !answeredOnce_[slot(breed)];
    answeredOnce_[slot(breed)] = true;

    Item* item = find(breed);
    if (right) {
        if (item == nullptr) {
            return result; // a known breed from outside asked meanwhile
        }
        const bool wasKnown = item->known;
        if (!item->missed) {
            item->known = true;
        } else if (item->lastWasRight && question - item->lastRightAt - 1 >= knownAfterGap) {
            item->known = true;
        } else if (!item->known) {
            item->dueAt = question + knownAfterGap + 1;
        }
        item->lastWasRight = true;
        item->lastRightAt = question;
        result.breedNowKnown = item->known && !wasKnown;
        return result;
    }

    if (item == nullptr) {
        item = &join(breed);
        item->asked = true;
        askedOrder_.push_back(breed);
    }
    item->known = false;
    item->missed = true;
    item->lastWasRight = false;
    item->dueAt = question + comebackAfterAtLeast + 1;
    item->deadline = question + comebackAfterAtMost + 1;

    if (confusedWith && inCatalogue(*confusedWith) && *confusedWith != breed) {
        result.confusedWith = confusedWith;
        memory_.recordConfusion(breed, *confusedWith);
        bringSoon(join(*confusedWith), question);
    }
    return result;
}

bool PracticeRules::finished() const {
    return std::all_of(items_.begin(), items_.end(), [](const Item& item) { return item.known; });
}

std::int32_t PracticeRules::knownCount() const {
    return static_cast<std::int32_t>(
        std::count_if(items_.begin(), items_.end(), [](const Item& item) { return item.known; }));
}

} // namespace tarvelo
