#pragma once
// The component life cycle: an owner, the designing / reading / loading state
// flags, and the after-loading notification that ends the loading state.
#include <vector>

namespace zv {

class TComponent {
  public:
    enum StateFlag : unsigned { csDesigning = 1, csReading = 2, csLoading = 4 };

    explicit TComponent(TComponent* owner) : owner_(owner) {
        if (owner_) owner_->components_.push_back(this);
    }
    virtual ~TComponent() = default;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    bool Has(StateFlag f) const { return (state_ & f) != 0; }
    void SetDesigning(bool on) { Set(csDesigning, on); }

    // The stored description is about to be applied: loading and reading.
    void BeginLoading() { state_ |= csLoading | csReading; }
    // All stored values are applied: reading ends, loading ends in AfterLoading.
    void EndReading() { state_ &= ~static_cast<unsigned>(csReading); }

    // Overrides must call the base first: it ends the loading state.
    virtual void AfterLoading() { state_ &= ~static_cast<unsigned>(csLoading); }

    // Applies a form's stored description: each owned component enters the
    // loading state, `apply` sets the stored values, then every component is
    // notified in creation order.
    template <class Apply>
    void LoadComponents(Apply&& apply) {
        for (auto* c : components_) c->BeginLoading();
        apply();
        for (auto* c : components_) c->EndReading();
        for (auto* c : components_) c->AfterLoading();
    }

  private:
    void Set(StateFlag f, bool on) { on ? state_ |= f : state_ &= ~static_cast<unsigned>(f); }

    TComponent* owner_;
    unsigned state_ = 0;
    std::vector<TComponent*> components_;
};

}  // namespace zv
