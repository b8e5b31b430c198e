namespace gs {} // namespace gs
