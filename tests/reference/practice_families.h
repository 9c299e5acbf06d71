#pragma once

// One misreading of each family for the drill's tests and measurements, each
// with the simulated person who reads by it, set up by hand from the rule's
// description (not from the engine's reading of the cause).

#include "engine/cause.h"
#include "tests/reference/simulated_person.h"

#include <array>
#include <string>
#include <tuple>

namespace nlt::test {

// A family's name, its cause, the test it is drilled in and the person with it.
struct PracticeFamily {
    std::string name;
    Cause cause;
    bool binary = false;
    Person person;
};

// A cause of kind; a word read as another, or a cell "left word right" taken as used (correct by the table).
inline Cause MakeCause(CauseKind kind, Operator word = Operator::And, Operator readAs = Operator::And, char left = '\0',
    char right = '\0', char used = '\0', char correct = '\0')
{
    Cause c;
    std::tie(c.kind, c.word, c.readAs, c.left, c.right, c.used, c.correct) = std::tuple(kind, word, readAs, left, right,
        used, correct);
    return c;
}

// A person who takes the cell "a" as value in the written order only.
inline Person OneOrderPerson(std::string a, char value)
{
    return Person::With(Person::Rule::CellOneOrder, std::move(a), "", value);
}

// Every family, in both tests where it exists. The cells were read off the truth table by hand.
inline std::array<PracticeFamily, 15> PracticeFamilies()
{
    using K = CauseKind;
    using O = Operator;
    using R = Person::Rule;
    return {{
        {"word Nand as And, two-valued", MakeCause(K::WordAsWord, O::Nand, O::And), true,
            Person::With(R::Word, "Nand", "And")},
        {"word Xfor as For", MakeCause(K::WordAsWord, O::Xfor, O::For), false, Person::With(R::Word, "Xfor", "For")},
        {"cell 1 Or 2 as 2, two-valued", MakeCause(K::TableCell, O::Or, O::And, '1', '2', '2', '1'), true,
            Person::With(R::Cell, "1 Or 2", "", '2')},
        {"cell 0 For 2 as 0", MakeCause(K::TableCell, O::For, O::And, '0', '2', '0', '2'), false,
            Person::With(R::Cell, "0 For 2", "", '0')},
        {"one-order cell 2 Xor 1 as 2, two-valued", MakeCause(K::TableCellOneOrder, O::Xor, O::And, '2', '1', '2', '1'),
            true, OneOrderPerson("2 Xor 1", '2')},
        {"one-order cell 2 Against 1 as 2", MakeCause(K::TableCellOneOrder, O::Against, O::And, '2', '1', '2', '1'), false,
            OneOrderPerson("2 Against 1", '2')},
        {"Not 0 as 0", MakeCause(K::NotZeroAsZero), false, Person::With(R::NotZeroAsZero)},
        {"Not 0 by the word after it", MakeCause(K::NotZeroWrongNeighbour), false, Person::With(R::NotZeroAfter)},
        {"Not ignored, two-valued", MakeCause(K::NotIgnored), true, Person::With(R::NotIgnored)},
        {"Not ignored", MakeCause(K::NotIgnored), false, Person::With(R::NotIgnored)},
        {"Not negates the rest, two-valued", MakeCause(K::NotNegatesRest), true, Person::With(R::NotRest)},
        {"Not negates the rest", MakeCause(K::NotNegatesRest), false, Person::With(R::NotRest)},
        {"And first, two-valued", MakeCause(K::AndFirst), true, Person::With(R::AndFirst)},
        {"And first", MakeCause(K::AndFirst), false, Person::With(R::AndFirst)},
        {"right to left", MakeCause(K::RightToLeft), false, Person::With(R::RightToLeft)},
    }};
}

} // namespace nlt::test
