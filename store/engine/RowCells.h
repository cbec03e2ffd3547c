#pragma once

#include "store/Variant.h"

#include <cstddef>
#include <string>
#include <vector>

namespace store {

struct RowSink;

// One row of a stream, its fields read where they lie. A reader of numbers
// and texts asks for them here, and an engine that can answers without
// making a Variant of each field on the way: a show is read by the hundred
// thousand rows. Each answer is the one FieldToInteger or FieldToText (no
// date format) gives for Value(field), with `null` telling whether that is
// NULL.
class RowCells
{
public:
    virtual ~RowCells() = default;

    virtual ado::Variant Value(std::size_t field) const = 0;
    virtual bool Integer(std::size_t field, int& out, bool& null) const;
    virtual bool Text(std::size_t field, std::string& out, bool& null) const;
};

// The cells of a row already made of values.
class VariantRowCells final : public RowCells
{
public:
    explicit VariantRowCells(const std::vector<ado::Variant>& row) : row_(row) {}

    ado::Variant Value(std::size_t field) const override { return row_.at(field); }
    bool Integer(std::size_t field, int& out, bool& null) const override;
    bool Text(std::size_t field, std::string& out, bool& null) const override;

private:
    const std::vector<ado::Variant>& row_;
};

// Hands a row made of values to `sink` the way it takes rows: as cells when
// it asks for them, else as the values.
void DeliverRow(const RowSink& sink, const std::vector<ado::Variant>& row);

} // namespace store
