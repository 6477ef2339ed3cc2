#include "app/lamp.h"

#include <QPainter>

Lamp::Lamp(const QColor &colour, QWidget *parent) : QWidget(parent), m_colour(colour)
{
    setFixedSize(sizeHint());
}

void Lamp::setLit(bool lit)
{
    if (m_lit == lit)
        return;
    m_lit = lit;
    update();
}

void Lamp::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::darkGray, 1));
    p.setBrush(m_lit ? m_colour : m_colour.darker(350));
    p.drawEllipse(rect().adjusted(1, 1, -1, -1));
}
