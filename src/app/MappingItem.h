#pragma once
// One row of the mapping list: its state image, its running mapping instance and what the instance reported.
#include <QTreeWidgetItem>

#include <cstdint>
#include <memory>

namespace tarvix {

class TfConnect;

// A row's state is its image index in the image list.
enum TMappingState { msInactive = 0, msListening = 1, msConnectionOpen = 2, msProbing = 3, msPortBusy = 4 };

class TMappingItem : public QTreeWidgetItem {
public:
    // Row ids are never reused, so a late report about a deleted row cannot reach another one.
    explicit TMappingItem(std::uint64_t id);
    ~TMappingItem() override;

    const std::uint64_t id;
    TMappingState state = msInactive;
    // A row is active exactly while it holds an instance, whatever its state.
    std::unique_ptr<TfConnect> instance;
    // Identifies the instance in its reports: an address can be reused by the next instance, this cannot.
    std::uint64_t instanceId = 0;
    // Connections the instance reported open and not yet ended.
    int openConnections = 0;
    // Why the last activation failed; empty once a new one begins.
    QString failure;
};

} // namespace tarvix
