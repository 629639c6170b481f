#include "locked_pointer_list.h"
#include "registry_keys.h"
#include "registry_values.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

namespace {

std::vector<int> values_of(const ListSnapshot<const int>& snapshot)
{
    std::vector<int> values;
    for (const int* element : snapshot) values.push_back(*element);
    return values;
}

TEST(LockedPointerList, SnapshotYieldsElementsInOrder)
{
    LockedPointerList<int> list;
    EXPECT_TRUE(std::as_const(list).snapshot().empty());
    for (int i = 1; i <= 3; ++i) list.append(std::make_unique<int>(i));
    EXPECT_EQ(values_of(std::as_const(list).snapshot()), (std::vector<int>{1, 2, 3}));
}

TEST(LockedPointerList, AppendsDuringAWalkAreNotVisited)
{
    LockedPointerList<int> list;
    list.append(std::make_unique<int>(1));
    list.append(std::make_unique<int>(2));
    std::vector<int> visited;
    for (int* element : list.snapshot()) {
        visited.push_back(*element);
        list.append(std::make_unique<int>(*element + 10));
    }
    EXPECT_EQ(visited, (std::vector<int>{1, 2}));
    EXPECT_EQ(values_of(std::as_const(list).snapshot()), (std::vector<int>{1, 2, 11, 12}));
}

TEST(LockedPointerList, GrowsPastItsFirstCapacityKeepingEveryElement)
{
    LockedPointerList<int> list;
    std::vector<const int*> addresses;
    const int count = 3 * LockedPointerList<int>::initial_capacity + 1;
    for (int i = 0; i < count; ++i) addresses.push_back(&list.append(std::make_unique<int>(i)));
    ListSnapshot<const int> snapshot = std::as_const(list).snapshot();
    ASSERT_EQ(snapshot.size(), static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(snapshot[i], addresses[i]);  // elements never move
        EXPECT_EQ(*snapshot[i], i);
    }
}

TEST(LockedPointerList, AnotherThreadAppendsWhileAWalkHoldsItsSnapshot)
{
    LockedPointerList<int> list;
    list.append(std::make_unique<int>(1));
    {
        ListSnapshot<const int> walk = std::as_const(list).snapshot();
        std::thread appender([&list] { list.append(std::make_unique<int>(2)); });
        appender.join();  // would never return if appending waited for the walk
        EXPECT_EQ(values_of(walk), (std::vector<int>{1}));
    }
    EXPECT_EQ(values_of(std::as_const(list).snapshot()), (std::vector<int>{1, 2}));
}

TEST(LockedPointerList, ClearAndMoveHandOverTheElements)
{
    LockedPointerList<int> list;
    list.append(std::make_unique<int>(5));
    LockedPointerList<int> moved(std::move(list));
    EXPECT_EQ(list.count(), 0u);
    EXPECT_EQ(values_of(std::as_const(moved).snapshot()), (std::vector<int>{5}));
    LockedPointerList<int> assigned;
    assigned.append(std::make_unique<int>(9));
    assigned = std::move(moved);
    EXPECT_EQ(values_of(std::as_const(assigned).snapshot()), (std::vector<int>{5}));
    assigned.clear();
    EXPECT_EQ(assigned.count(), 0u);
    assigned.append(std::make_unique<int>(6));
    EXPECT_EQ(values_of(std::as_const(assigned).snapshot()), (std::vector<int>{6}));
}

std::unique_ptr<RegistryKeyNode> key(const char* name, std::int32_t id)
{
    return std::make_unique<RegistryKeyNode>(RegistryKeyNode{name, 1, id});
}

std::vector<std::string> names_of(const ListSnapshot<const RegistryKeyNode>& nodes)
{
    std::vector<std::string> names;
    for (const RegistryKeyNode* node : nodes) names.push_back(node->key_name);
    return names;
}

TEST(RegistryKeyTree, AddsBelowAParentFoundAnywhereInTheTree)
{
    RegistryKeyTree tree;
    const RegistryKeyNode* user = tree.add_key(nullptr, key("HKEY_CURRENT_USER", 1));
    const RegistryKeyNode* machine = tree.add_key(nullptr, key("HKEY_LOCAL_MACHINE", 2));
    const RegistryKeyNode* software = tree.add_key(user, key("Software", 3));
    const RegistryKeyNode* zelmor = tree.add_key(software, key("Zelmor", 4));
    tree.add_key(software, key("Other", 5));
    tree.add_key(machine, key("System", 6));
    tree.add_key(zelmor, key("Settings", 7));

    EXPECT_EQ(names_of(tree.children_of(nullptr)), (std::vector<std::string>{"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE"}));
    EXPECT_EQ(names_of(tree.children_of(user)), (std::vector<std::string>{"Software"}));
    EXPECT_EQ(names_of(tree.children_of(software)), (std::vector<std::string>{"Zelmor", "Other"}));
    EXPECT_EQ(names_of(tree.children_of(zelmor)), (std::vector<std::string>{"Settings"}));
    EXPECT_EQ(names_of(tree.children_of(machine)), (std::vector<std::string>{"System"}));
}

TEST(RegistryKeyTree, AParentOutsideTheTreeTakesNothingAndHasNoChildren)
{
    RegistryKeyTree tree;
    tree.add_key(nullptr, key("HKEY_USERS", 1));
    RegistryKeyNode stranger{"Stranger", 1, 1};
    EXPECT_EQ(tree.add_key(&stranger, key("Lost", 2)), nullptr);
    EXPECT_TRUE(tree.children_of(&stranger).empty());
    EXPECT_EQ(names_of(tree.children_of(nullptr)), (std::vector<std::string>{"HKEY_USERS"}));
    EXPECT_TRUE(tree.children_of(tree.children_of(nullptr)[0]).empty());
}

TEST(RegistryValueList, KeepsValuesInOrderWithTheirKeys)
{
    RegistryKeyNode a{"A", 1, 1}, b{"B", 1, 2};
    RegistryValueList values;
    for (auto [owner, name] : {std::pair{&a, "one"}, {&b, "two"}, {&a, "three"}}) {
        auto value = std::make_unique<RegistryValueEntry>();
        value->owner_key = owner;
        value->value_name = name;
        values.append_value(std::move(value));
    }
    std::vector<std::string> of_a;
    for (const RegistryValueEntry* value : values.values())
        if (value->owner_key == &a) of_a.push_back(value->value_name);
    EXPECT_EQ(of_a, (std::vector<std::string>{"one", "three"}));
    EXPECT_EQ(values.count(), 3u);
}

} // namespace
