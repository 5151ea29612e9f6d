#include "tessel/Component/LED.h"

namespace tessel {

tessel::Figure* LED::Figure() {
    tessel::Figure* figure = FigureObject();
    if (figure->Left() != m_x || figure->Top() != m_y)
        figure->MoveBy(m_x - figure->Left(), m_y - figure->Top());
    return figure;
}

tessel::ScalableFigure* ScalableLED::Figure() {
    LED::Figure();
    return FigureObject();
}

void CompositeScalableLED::SetState(int state) {
    TESSEL_ASSERT(state >= 0 && state < StateCount(), "tessel/Component/Source/LED", 33);
    if (state < 0 || state >= StateCount() || state == m_state)
        return;
    m_state = state;
    for (std::size_t i = 0; i < m_LEDs.size(); ++i)
        m_LEDs[i]->SetState(m_director->SubState(m_state, static_cast<int>(i)));
}

void CompositeScalableLED::Update() {
    for (ScalableLED* led : m_LEDs)
        led->Update();
}

} // namespace tessel
