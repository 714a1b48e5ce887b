// What the viewer frame lends a display for one Show: the file and its
// constants, the objects of the request, the viewer's state (switches, column
// boxes, hidden lists, table), the filters, the status texts, the clock, and
// the pump that lets events in and sees Cancel.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/table.hpp"
#include "viewer/row_writer.hpp"

namespace patchlore {

class LinkedNames;
struct ShowContext;
struct ViewerState;
class ViewFilters;
enum class ViewerPart;

class ShowFrame {
 public:
  virtual ~ShowFrame() = default;

  virtual const ShowContext& context() const = 0;
  // The file offset of each object of the request, in descriptor-line order.
  virtual const std::vector<std::int64_t>& objectOffsets() const = 0;
  virtual ViewerState& viewerState() = 0;
  virtual ViewFilters& viewFilters() = 0;
  // Tell the window that a part of the state changed.
  virtual void changed(ViewerPart part) = 0;
  virtual bool columnTicked(std::string_view columnSwitch) const = 0;

  // Rows appended to the table; they reuse the texts of the previous Show.
  virtual RowWriter rows() = 0;
  virtual void setMsg(std::string text) = 0;
  virtual void setInfo(std::string text) = 0;
  virtual std::string now() const = 0;  // "HH:MM:SS"

  // Lets pending events in; true when Cancel asks the Show to stop.
  virtual bool pumpAndTestCancel() = 0;

  // The registry index of the linked PCG, or -1 when none is linked.
  virtual int linkedPcgIndex() const = 0;
  // The program names of the linked PCG, as the hidden list Pcg shows them.
  virtual const LinkedNames& linkedNames() const = 0;
  // The export separator: a character and a blank.
  virtual const std::string& separator() const = 0;
};

}  // namespace patchlore
