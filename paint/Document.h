#pragma once

namespace app {

// A document takes its picture from somewhere when its view opens and gives it back when the
// view closes.
class Document {
  public:
    virtual ~Document() = default;
    virtual void Load() = 0;
    virtual void Save() = 0;
};

}  // namespace app
